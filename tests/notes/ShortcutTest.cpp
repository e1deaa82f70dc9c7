#include "TestEnv.h"
#include "TestFiles.h"
#include "ToolRun.h"
#include "notes/U_DesktopShortcut.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QUrl>

// HOME and XDG_CONFIG_HOME point into the test's folder, so the desktop is Desktop there.
class Shortcut : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        qputenv("HOME", home.path().toLocal8Bit());
    }
    void TearDown() override
    {
        qputenv("HOME", savedHome);
        qputenv("PATH", savedPath);
        TarvelleTest::TearDown();
    }

    QByteArray savedHome = qgetenv("HOME"), savedPath = qgetenv("PATH");
    QString desktop = home.filePath("Desktop");
};

TEST_F(Shortcut, TheDesktopIsTheUsersOwnFolderElseDesktopInHome)
{
    EXPECT_EQ(DesktopFolder(), desktop);
    ASSERT_TRUE(
        QDir(home.path()).mkpath("config") &&
        WriteBytes(home.filePath("config/user-dirs.dirs"), "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n"));
    EXPECT_EQ(DesktopFolder(), home.filePath("Bureau"));
    qputenv("PATH", home.path().toLocal8Bit()); // no tool: its folder names are not read
    EXPECT_EQ(DesktopFolder(), desktop);
}

TEST_F(Shortcut, ALinkFileNamedAfterTheTargetValidAndReplacedInPlace)
{
    const QString cases[][3] = {
        {"Traceur.csv", "Traceur", "Traceur"},
        {"Tarvelle_06-12-2026à14-05-33.txt", "Tarvelle_06-12-2026à14-05-33",
         "Tarvelle_06-12-2026à14-05-33"},
        {" a\\b .txt", " a\\b ", "\\sa\\\\b\\s"},
        {"abc", "abc", "abc"},
    };
    ASSERT_TRUE(QDir().mkpath(desktop) && WriteBytes(desktop + "/Traceur.desktop", "ancien\n"));
    ASSERT_TRUE(QFile::setPermissions(desktop + "/Traceur.desktop",
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                          QFile::ReadOther));
    const bool validator = !QStandardPaths::findExecutable("desktop-file-validate").isEmpty();
    for (const auto& [fileName, linkName, name] : cases) {
        QString error;
        ASSERT_TRUE(MakeDesktopShortcut(home.filePath("dossier à #1/") + fileName, &error))
            << error.toStdString();
        const QString link = desktop + "/" + linkName + ".desktop";
        EXPECT_EQ(ReadBytes(link).toStdString(),
                  ("[Desktop Entry]\nType=Link\nName=" + name.toUtf8() +
                   "\nURL=" + QUrl::fromLocalFile(home.path()).toEncoded() +
                   "/dossier%20%C3%A0%20%231/" + QUrl::toPercentEncoding(fileName, "/") + "\n")
                      .toStdString());
        // Executable, as desktops want, and the user's alone unless the user opened it.
        const QFile::Permissions opened = linkName == QString("Traceur")
                                              ? QFile::ReadGroup | QFile::ReadOther
                                              : QFile::Permissions();
        EXPECT_EQ(QFile::permissions(link) & 0x0FFF,
                  QFile::ReadUser | QFile::WriteUser | QFile::ExeUser | opened);
        bool valid = true;
        if (validator)
            RunTool("desktop-file-validate", {link}, &valid);
        EXPECT_TRUE(valid) << link.toStdString();
    }
    EXPECT_EQ(QDir(desktop).entryList(QDir::Files | QDir::Hidden).size(), 4);
}

TEST_F(Shortcut, AMissingOrReadOnlyDesktopIsToldInFrench)
{
    QString error;
    EXPECT_FALSE(MakeDesktopShortcut("/tmp/Traceur.csv", &error));
    EXPECT_EQ(error, "Le dossier du bureau " + desktop + " n'existe pas : raccourci non créé");
    ASSERT_TRUE(QDir().mkpath(desktop));
    QFile::setPermissions(desktop, QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_FALSE(MakeDesktopShortcut("/tmp/Traceur.csv", &error));
    EXPECT_EQ(error,
              "Le dossier du bureau " + desktop + " est en lecture seule : raccourci non créé");
    QFile::setPermissions(desktop, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(QDir(desktop).isEmpty());
}
