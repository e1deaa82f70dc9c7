#include "core/U_Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Translations {

QTranslator* LoadQtFrench()
{
    return LoadQtFrench(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QTranslator* LoadQtFrench(const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    // French whatever the user's locale: every other text of the program is French too.
    if (!translator->load(QStringLiteral("qtbase_fr"), folder) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace Translations
