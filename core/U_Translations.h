#pragma once

#include <QString>

class QTranslator;

// Qt's own texts (the buttons and labels of its colour, file and print dialogs) in French,
// so that they speak the program's language.
namespace Translations {
// Installs Qt's French translation from Qt's translations folder; see the overload.
QTranslator* LoadQtFrench();
// Installs "qtbase_fr" from `folder` on the application and returns the translator, owned by
// the application; nullptr when it cannot be read, and Qt's texts then stay in English.
QTranslator* LoadQtFrench(const QString& folder);
} // namespace Translations
