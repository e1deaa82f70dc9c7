#pragma once

#include <QString>

// Fixed names the program and its files rely on.
namespace Constantes {
inline const QString AppTitle = QStringLiteral("Tarvelle");
inline const QString NotesCaption = QStringLiteral("Scribelle");
// Spelled so since the first version; the single-instance lock is found by this name.
inline const QString InstanceLockName = QStringLiteral("DDLFirstIntance");
inline const QString SettingsFileName = QStringLiteral("ConfigMnemo.ini");
inline const QString TraceFileName = QStringLiteral("Traceur.csv");
inline const QString NotesFileName = QStringLiteral("Tarvelle.txt");
inline const QString AlarmFileName = QStringLiteral("breakPoint.csv");
inline const QString AlarmTempFileName = QStringLiteral("breakPoint.tmp");
} // namespace Constantes
