#include "TestEnv.h"
#include "TestFiles.h"
#include "app/U_Autostart.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <optional>

namespace {
const QString Name = QStringLiteral("Tarvelle");

// The one argument a launcher takes from a quoted Exec value: the string escapes undone,
// then inside the quotes only " ` $ \ after a backslash and "%%" for "%"; nothing when the
// value breaks these rules.
std::optional<QString> LaunchedArgument(const QString& value)
{
    QString command;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) == u'\\' && i + 1 < value.size()) {
            const qsizetype k = QStringLiteral("sntr").indexOf(value.at(++i));
            command += k < 0 ? value.at(i) : QStringLiteral(" \n\t\r").at(k);
        } else {
            command += value.at(i);
        }
    }
    static const QRegularExpression quoted(QRegularExpression::anchoredPattern(
        QStringLiteral(R"re("((?:[^"`$\\%]|\\["`$\\]|%%)*)")re")));
    const QRegularExpressionMatch match = quoted.match(command);
    if (!match.hasMatch())
        return std::nullopt;
    static const QRegularExpression escaped(QStringLiteral(R"(\\(.))"));
    return match.captured(1).replace(escaped, QStringLiteral("\\1")).replace("%%", "%");
}
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
    // A relative value is no base folder at all.
    for (const char* config : {"", "relative/config"}) {
        qputenv("XDG_CONFIG_HOME", config);
        EXPECT_EQ(AutostartEntryPath(Name), home.path() + "/.config/autostart/Tarvelle.desktop");
    }
    qputenv("HOME", savedHome);
}

TEST_F(Autostart, AddWritesAStartingEntryRemoveIgnoresAMissingOneAndOnlyAStartingOneCounts)
{
    QString error;
    EXPECT_TRUE(RemoveRunEntry(Name, &error));
    EXPECT_FALSE(RunEntryExists(Name));
    ASSERT_TRUE(AddRunEntry(Name, QStringLiteral("/usr/bin/tarvelle"), &error));
    EXPECT_TRUE(RunEntryExists(Name));
    // It names the program's data folder: the user's alone, as the folder made for it.
    EXPECT_EQ(QFile::permissions(entry) & 0x0FFF, QFile::ReadUser | QFile::WriteUser);
    EXPECT_EQ(QFile::permissions(folder) & 0x0FFF,
              QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    const QStringList lines = QString::fromUtf8(ReadBytes(entry)).split(u'\n');
    EXPECT_EQ(lines.first(), "[Desktop Entry]");
    for (const char* line : {"Type=Application", "Name=Tarvelle", "Exec=\"/usr/bin/tarvelle\""})
        EXPECT_TRUE(lines.contains(line)) << line;
    ASSERT_TRUE(RemoveRunEntry(Name, &error));
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_FALSE(RunEntryExists(Name));

    // The name is compared exactly, case included.
    ASSERT_TRUE(
        WriteBytes(folder + "/tarvelle.desktop", "[Desktop Entry]\nType=Application\nExec=x\n"));
    EXPECT_FALSE(RunEntryExists(Name));
    for (const auto& [content, counts] :
         {std::pair{"# kept\n[Desktop Entry]\nHidden=false\nExec=x\n[Other]\nHidden=true\n", true},
          {"[Desktop Entry]\nExec=x\nX-GNOME-Autostart-enabled=false\n", false},
          {"[Other]\nExec=x\n", false},
          {"[Desktop Entry]\nType=Application\nExec=x\nHidden=true\n", false}}) {
        ASSERT_TRUE(WriteBytes(entry, content));
        EXPECT_EQ(RunEntryExists(Name), counts) << content;
    }
    // A disabled entry is replaced whole, so adding switches it back on.
    ASSERT_TRUE(AddRunEntry(Name, "/usr/bin/tarvelle"));
    EXPECT_TRUE(RunEntryExists(Name));
}

TEST_F(Autostart, AwkwardPathsRoundTripThroughTheExecQuotingAndTheEntryValidates)
{
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    for (const QString path :
         {"/opt/Mon Programme/tarvelle", "/opt/l'\"exe\"/tarvelle", "/opt/100%/%f %u/tarvelle",
          "/opt/$HOME/`id`/$(rm)/tarvelle", "/opt/back\\slash\\/\\\\n/tarvelle",
          "/home/élodie/Éléments ç œ €/tarvelle", "/opt/a;b&c|d<e>f*g?h#i~j(k)/tarvelle",
          "/opt/tab\there/tarvelle"}) {
        ASSERT_TRUE(AddRunEntry(Name, path));
        const QString exec =
            QString::fromUtf8(ReadBytes(entry)).section("\nExec=", 1).section('\n', 0, 0);
        EXPECT_EQ(LaunchedArgument(exec), path) << exec.toStdString();
        if (validator.isEmpty())
            continue;
        QProcess check;
        check.setProcessChannelMode(QProcess::MergedChannels);
        check.start(validator, {entry});
        ASSERT_TRUE(check.waitForFinished(60000));
        EXPECT_EQ(std::pair(check.exitCode(), check.readAll()), std::pair(0, QByteArray()))
            << path.toStdString();
    }
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed (package desktop-file-utils)";
}

TEST_F(Autostart, AnEntryForAnotherDataFolderStartsTheProgramWithThatFolder)
{
    const QString data = QStringLiteral("/home/élodie/Mes \"données\" $HOME/");
    ASSERT_TRUE(AddRunEntry(Name, "/opt/Mon Programme/tarvelle", nullptr, data));
    const QString exec =
        QString::fromUtf8(ReadBytes(entry)).section("\nExec=", 1).section('\n', 0, 0);
    ASSERT_TRUE(exec.startsWith("env \"")) << exec.toStdString();
    const qsizetype between = exec.indexOf("\" \"");
    ASSERT_GT(between, 0) << exec.toStdString();
    EXPECT_EQ(LaunchedArgument(exec.mid(4, between - 3)), "TARVELLE_HOME=" + data);
    EXPECT_EQ(LaunchedArgument(exec.mid(between + 2)), "/opt/Mon Programme/tarvelle");
    EXPECT_TRUE(RunEntryExists(Name));
}

TEST_F(Autostart, AFolderOrEntryThatCannotBeWrittenOrRemovedIsReportedInFrench)
{
    // A non-empty folder under the entry's name can be neither replaced nor deleted.
    ASSERT_TRUE(QDir().mkpath(entry + "/inside"));
    QString error;
    EXPECT_FALSE(RunEntryExists(Name));
    EXPECT_FALSE(AddRunEntry(Name, "/usr/bin/tarvelle", &error));
    EXPECT_EQ(error.section(u'\r', 0, 0), "Impossible d'écrire le lancement au démarrage");
    EXPECT_FALSE(RemoveRunEntry(Name, &error));
    EXPECT_EQ(error.section(u'\r', 0, 0), "Impossible de supprimer le lancement au démarrage");
    EXPECT_TRUE(QDir(entry + "/inside").exists());

    // A plain file where the folder should be defeats even root.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_TRUE(WriteBytes(folder, "not a folder"));
    EXPECT_FALSE(AddRunEntry(Name, "/usr/bin/tarvelle", &error));
    EXPECT_EQ(error, "Impossible de créer le dossier de démarrage\r" + folder +
                         "\run fichier est à la place d'un dossier");
    EXPECT_FALSE(RunEntryExists(Name));
    EXPECT_FALSE(AddRunEntry(Name, "/usr/bin/tarvelle"));
}
