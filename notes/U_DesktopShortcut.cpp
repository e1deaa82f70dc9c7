#include "notes/U_DesktopShortcut.h"

#include "core/U_Glb.h"
#include "core/U_TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int kToolTimeoutMs = 2000;

bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

QString HomeFolder()
{
    const QString home = qEnvironmentVariable("HOME");
    return home.isEmpty() ? QDir::homePath() : home;
}

// The tool reads the user's own folder names (user-dirs.dirs), which may be translated.
QString AskXdgUserDir()
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-user-dir"));
    if (tool.isEmpty())
        return {};
    QProcess process;
    process.start(tool, {QStringLiteral("DESKTOP")});
    if (!process.waitForFinished(kToolTimeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        process.kill();
        process.waitForFinished(kToolTimeoutMs);
        return {};
    }
    QByteArray answer = process.readAllStandardOutput();
    if (answer.endsWith('\n'))
        answer.chop(1);
    return QFile::decodeName(answer);
}

// A string value of a desktop entry: backslash escapes for what a line cannot hold, and \s for
// the spaces at either end, which readers would otherwise strip.
QString EscapeValue(QString value)
{
    value.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\r', QStringLiteral("\\r"))
        .replace(u'\t', QStringLiteral("\\t"));
    qsizetype lead = 0;
    while (lead < value.size() && value.at(lead) == u' ')
        ++lead;
    qsizetype end = value.size();
    while (end > lead && value.at(end - 1) == u' ')
        --end;
    const QString space = QStringLiteral("\\s");
    return RepeatText(space, static_cast<int>(lead)) + value.mid(lead, end - lead) +
           RepeatText(space, static_cast<int>(value.size() - end));
}

// Root passes every permission check: for it the folder's write bits decide, as for the
// program's other files.
bool FolderWritable(const QString& folder)
{
    const QByteArray name = QFile::encodeName(folder);
    if (::geteuid() != 0)
        return ::access(name.constData(), W_OK) == 0;
    struct stat info = {};
    return ::stat(name.constData(), &info) == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH));
}

// Desktop entries must be UTF-8, which the program's text writer would turn into Windows-1252
// (a backup's name holds "à"): the bytes are encoded here and replaced as they are.
bool WriteLinkFile(const QString& path, const QByteArray& bytes, QString* error)
{
    if (!TextFile::ReplaceBytes(path, bytes, error))
        return false;
    // Desktops open only link files that may be executed; others are shown as untrusted.
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return true;
}
} // namespace

QString DesktopFolder()
{
    const QString answer = AskXdgUserDir();
    if (!answer.isEmpty() && QDir::isAbsolutePath(answer))
        return QDir::cleanPath(answer);
    return QDir::cleanPath(HomeFolder() + QStringLiteral("/Desktop"));
}

QString ShortcutName(const QString& target)
{
    const QString name = QFileInfo(target).fileName();
    // A name of four characters or fewer would leave nothing, and a hidden ".desktop".
    return name.size() > 4 ? name.chopped(4) : name;
}

QByteArray ShortcutText(const QString& target)
{
    const QUrl url = QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    const QString text = QStringLiteral("[Desktop Entry]\nType=Link\nName=") +
                         EscapeValue(ShortcutName(target)) + QStringLiteral("\nURL=") +
                         url.toString(QUrl::FullyEncoded) + u'\n';
    return text.toUtf8();
}

bool MakeDesktopShortcut(const QString& target, QString* error)
{
    const QString folder = DesktopFolder();
    if (!QFileInfo(folder).isDir())
        return Fail(error, QStringLiteral("Le dossier du bureau %1 n'existe pas : "
                                          "raccourci non créé")
                               .arg(folder));
    if (!FolderWritable(folder))
        return Fail(error, QStringLiteral("Le dossier du bureau %1 est en lecture seule : "
                                          "raccourci non créé")
                               .arg(folder));
    const QString path = QDir(folder).filePath(ShortcutName(target) + QStringLiteral(".desktop"));
    QString why;
    if (WriteLinkFile(path, ShortcutText(target), &why))
        return true;
    return Fail(error, QStringLiteral("Le raccourci %1 n'a pas pu être écrit (%2)").arg(path, why));
}
