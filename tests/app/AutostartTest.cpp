#include "TestEnv.h"
#include "TestFiles.h"
#include "app/U_Autostart.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>

#include <optional>

namespace {
const QString Name = QStringLiteral("Tarvelle");

// Undoes the general string-value escapes of a desktop file.
QString UnescapeStringValue(const QString& value)
{
    static const QHash<QChar, QChar> escapes{
        {u's', u' '}, {u'n', u'\n'}, {u't', u'\t'}, {u'r', u'\r'}};
    QString plain;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) == u'\\' && i + 1 < value.size()) {
            const QChar next = value.at(++i);
            plain += escapes.value(next, next);
        } else {
            plain += value.at(i);
        }
    }
    return plain;
}

// Splits an unescaped Exec command into its arguments as a launcher does; nothing when the
// command breaks the quoting rules (an unknown or missing backslash escape, a lone %, an open
// quote).
std::optional<QStringList> ExecArguments(const QString& command)
{
    QStringList arguments;
    QString current;
    bool quoted = false, started = false;
    for (qsizetype i = 0; i < command.size(); ++i) {
        const QChar c = command.at(i);
        const QChar next = i + 1 < command.size() ? command.at(i + 1) : QChar();
        if (c == u'%') {
            if (next != u'%')
                return std::nullopt;
            current += c;
            ++i;
        } else if (quoted && (c == u'$' || c == u'`')) {
            return std::nullopt;
        } else if (quoted && c == u'\\') {
            if (!QStringLiteral("\"`$\\").contains(next))
                return std::nullopt;
            current += next;
            ++i;
        } else if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted && c == u' ') {
            if (started)
                arguments.append(current);
            current.clear();
            started = false;
            continue;
        } else {
            current += c;
        }
        started = true;
    }
    if (quoted)
        return std::nullopt;
    if (started)
        arguments.append(current);
    return arguments;
}

QString ExecValue(const QString& path)
{
    for (const QString& line : QString::fromUtf8(ReadBytes(path)).split(u'\n'))
        if (line.startsWith(QStringLiteral("Exec=")))
            return line.mid(5);
    return {};
}

const QStringList AwkwardPaths{
    QStringLiteral("/opt/Mon Programme/tarvelle"),
    QStringLiteral("/tmp/l'\"exe\"/tarvelle"),
    QStringLiteral("/tmp/100%/%f %u/tarvelle"),
    QStringLiteral("/tmp/$HOME/`id`/$(rm)/tarvelle"),
    QStringLiteral("/tmp/back\\slash\\/\\\\n/tarvelle"),
    QStringLiteral("/home/élodie/Éléments ç œ €/tarvelle"),
    QStringLiteral("/tmp/a;b&c|d<e>f*g?h#i~j(k)/tarvelle"),
    QStringLiteral("/tmp/tab\there/tarvelle"),
};
} // namespace

class Autostart : public TarvelleTest
{
protected:
    // TarvelleTest points XDG_CONFIG_HOME at "config" in the test's home.
    QString folder = home.filePath(QStringLiteral("config/autostart"));
    QString entry = folder + QStringLiteral("/Tarvelle.desktop");
};

TEST_F(Autostart, EntryLivesInTheConfigFolderOrItsFallback)
{
    EXPECT_EQ(AutostartEntryPath(Name), entry);
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    const QString fallback = home.path() + QStringLiteral("/.config/autostart/Tarvelle.desktop");
    qputenv("XDG_CONFIG_HOME", "");
    EXPECT_EQ(AutostartEntryPath(Name), fallback);
    // A relative value is no base folder at all.
    qputenv("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(AutostartEntryPath(Name), fallback);
    qputenv("HOME", savedHome);
}

TEST_F(Autostart, AddCreatesTheFolderAndAStartingEntryAndRemoveIgnoresAMissingOne)
{
    QString error;
    EXPECT_TRUE(RemoveRunEntry(Name, &error));
    EXPECT_FALSE(RunEntryExists(Name));
    ASSERT_TRUE(AddRunEntry(Name, QStringLiteral("/usr/bin/tarvelle"), &error));
    EXPECT_TRUE(RunEntryExists(Name));
    const QStringList lines = QString::fromUtf8(ReadBytes(entry)).split(u'\n');
    EXPECT_EQ(lines.first(), "[Desktop Entry]");
    for (const char* line : {"Type=Application", "Name=Tarvelle", "Exec=\"/usr/bin/tarvelle\""})
        EXPECT_TRUE(lines.contains(line)) << line;
    ASSERT_TRUE(RemoveRunEntry(Name, &error));
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_FALSE(RunEntryExists(Name));
}

TEST_F(Autostart, AwkwardPathsRoundTripThroughTheExecQuoting)
{
    for (const QString& path : AwkwardPaths) {
        ASSERT_TRUE(AddRunEntry(Name, path)) << path.toStdString();
        const auto arguments = ExecArguments(UnescapeStringValue(ExecValue(entry)));
        ASSERT_TRUE(arguments.has_value()) << ExecValue(entry).toStdString();
        EXPECT_EQ(*arguments, QStringList{path}) << ExecValue(entry).toStdString();
    }
    EXPECT_EQ(DesktopExecArgument("/a b/c\"d"), "\"/a b/c\\\\\"d\"");
    EXPECT_EQ(DesktopExecArgument("/x\\y%z$"), "\"/x\\\\\\\\y%%z\\\\$\"");
}

TEST_F(Autostart, DesktopFileValidateAcceptsTheEntry)
{
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed (package desktop-file-utils)";
    for (const QString& path : AwkwardPaths) {
        ASSERT_TRUE(AddRunEntry(Name, path));
        QProcess check;
        check.setProcessChannelMode(QProcess::MergedChannels);
        check.start(validator, {entry});
        ASSERT_TRUE(check.waitForFinished(60000));
        EXPECT_EQ(check.exitCode(), 0) << path.toStdString() << check.readAll().toStdString();
        EXPECT_EQ(check.readAll(), QByteArray()) << path.toStdString();
    }
}

TEST_F(Autostart, OnlyAnEntryThatWouldStartCounts)
{
    ASSERT_TRUE(QDir().mkpath(folder));
    // The name is compared exactly, case included.
    ASSERT_TRUE(
        WriteBytes(folder + "/tarvelle.desktop", "[Desktop Entry]\nType=Application\nExec=x\n"));
    EXPECT_FALSE(RunEntryExists(Name));
    for (const auto& [content, counts] :
         {std::pair{"[Desktop Entry]\nType=Application\nExec=x\nHidden=true\n", false},
          {"[Desktop Entry]\nExec=x\nX-GNOME-Autostart-enabled=false\n", false},
          {"[Other]\nExec=x\n", false},
          {"# kept\n[Desktop Entry]\nHidden=false\nExec=x\n[Other]\nHidden=true\n", true}}) {
        ASSERT_TRUE(WriteBytes(entry, content));
        EXPECT_EQ(RunEntryExists(Name), counts) << content;
    }
    // A disabled entry is replaced whole, so adding switches it back on.
    ASSERT_TRUE(WriteBytes(entry, "[Desktop Entry]\nType=Application\nExec=x\nHidden=true\n"));
    ASSERT_TRUE(AddRunEntry(Name, "/usr/bin/tarvelle"));
    EXPECT_TRUE(RunEntryExists(Name));
}

TEST_F(Autostart, AFolderOrEntryThatCannotBeWrittenOrRemovedIsReportedInFrench)
{
    // A non-empty folder under the entry's name can be neither replaced nor deleted.
    ASSERT_TRUE(QDir().mkpath(entry + "/inside"));
    QString error;
    EXPECT_FALSE(RunEntryExists(Name));
    EXPECT_FALSE(AddRunEntry(Name, "/usr/bin/tarvelle", &error));
    EXPECT_TRUE(error.startsWith("Impossible d'écrire le lancement au démarrage"))
        << error.toStdString();
    error.clear();
    EXPECT_FALSE(RemoveRunEntry(Name, &error));
    EXPECT_TRUE(error.startsWith("Impossible de supprimer le lancement au démarrage"))
        << error.toStdString();
    EXPECT_TRUE(QDir(entry + "/inside").exists());

    // A plain file where the folder should be defeats even root.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_TRUE(WriteBytes(folder, "not a folder"));
    EXPECT_FALSE(AddRunEntry(Name, "/usr/bin/tarvelle", &error));
    EXPECT_TRUE(error.startsWith("Impossible de créer le dossier de démarrage"))
        << error.toStdString();
    EXPECT_TRUE(error.contains(folder));
    EXPECT_FALSE(RunEntryExists(Name));
    EXPECT_FALSE(AddRunEntry(Name, "/usr/bin/tarvelle"));
}
