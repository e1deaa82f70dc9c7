#include "app/U_Autostart.h"

#include "core/U_TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {
QString AutostartFolder()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    // The base directory rules say a relative value is to be ignored.
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return QDir(config).filePath(QStringLiteral("autostart"));
}

// The general escapes of a string value: a backslash, and the control characters a line
// cannot hold.
QString EscapeStringValue(const QString& value)
{
    QString escaped;
    for (const QChar c : value) {
        if (c == u'\\')
            escaped += QStringLiteral("\\\\");
        else if (c == u'\n')
            escaped += QStringLiteral("\\n");
        else if (c == u'\t')
            escaped += QStringLiteral("\\t");
        else if (c == u'\r')
            escaped += QStringLiteral("\\r");
        else
            escaped += c;
    }
    return escaped;
}

// The keys of the [Desktop Entry] group, raw; empty when the file has no such group.
QStringList EntryKeys(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    QStringList keys;
    bool inEntry = false;
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'['))
            inEntry = line == QStringLiteral("[Desktop Entry]");
        else if (inEntry && !line.startsWith(u'#') && line.contains(u'='))
            keys.append(line);
    }
    return keys;
}

// The value of `key` in `keys`; the last one wins, as with the usual readers.
QString KeyValue(const QStringList& keys, const QString& key)
{
    QString value;
    for (const QString& line : keys) {
        const qsizetype at = line.indexOf(u'=');
        if (line.left(at).trimmed() == key)
            value = line.mid(at + 1).trimmed();
    }
    return value;
}

QString EntryText(const QString& name, const QString& path, const QString& dataFolder)
{
    const QString program = DesktopExecArgument(path);
    const QString exec =
        dataFolder.isEmpty()
            ? program
            : QStringLiteral("env ") +
                  DesktopExecArgument(QStringLiteral("TARVELLE_HOME=") + dataFolder) + u' ' +
                  program;
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Comment=Traceur d'activité, notes et alarmes\n"
                          "Exec=%2\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(EscapeStringValue(name), exec);
}

bool Fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}
} // namespace

QString AutostartEntryPath(const QString& name)
{
    return QDir(AutostartFolder()).filePath(name + QStringLiteral(".desktop"));
}

QString DesktopExecArgument(const QString& argument)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        // A lone % would start a field code.
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    quoted += u'"';
    return EscapeStringValue(quoted);
}

bool RunEntryExists(const QString& name)
{
    const QString path = AutostartEntryPath(name);
    // Only the exact name counts: the folder is listed rather than trusting the file system.
    const QStringList names = QDir(AutostartFolder()).entryList(QDir::Files | QDir::Hidden);
    if (!names.contains(QFileInfo(path).fileName(), Qt::CaseSensitive))
        return false;
    const QStringList keys = EntryKeys(path);
    return !KeyValue(keys, QStringLiteral("Exec")).isEmpty() &&
           KeyValue(keys, QStringLiteral("Hidden")) != u"true" &&
           KeyValue(keys, QStringLiteral("X-GNOME-Autostart-enabled")) != u"false";
}

bool AddRunEntry(const QString& name, const QString& path, QString* error,
                 const QString& dataFolder)
{
    const QString folder = AutostartFolder();
    QString why;
    if (!TextFile::MakeFolder(folder, &why))
        return Fail(error, QStringLiteral("Impossible de créer le dossier de démarrage\r") +
                               folder + u'\r' + why);
    const QString entry = AutostartEntryPath(name);
    if (!TextFile::ReplaceBytes(entry, EntryText(name, path, dataFolder).toUtf8(), &why))
        return Fail(error, QStringLiteral("Impossible d'écrire le lancement au démarrage\r") +
                               entry + u'\r' + why);
    return true;
}

bool RemoveRunEntry(const QString& name, QString* error)
{
    const QFileInfo entry(AutostartEntryPath(name));
    if (!entry.exists() && !entry.isSymLink())
        return true;
    QFile file(entry.filePath());
    if (!file.remove())
        return Fail(error, QStringLiteral("Impossible de supprimer le lancement au démarrage\r") +
                               entry.filePath() + u'\r' + file.errorString());
    return true;
}
