#include "TestEnv.h"
#include "TestFiles.h"
#include "core/U_FileReason.h"
#include "core/U_TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {
mode_t ModeOf(const QString& path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

void ChangeMode(const QString& path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

// Files in a folder, hidden ones included.
QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

class PrivateFiles : public TarvelleTest
{
protected:
    void TearDown() override
    {
        ::umask(previousUmask);
        TarvelleTest::TearDown();
    }
    const mode_t previousUmask = ::umask(022);
};
} // namespace

// The notes hold every copied text: nobody else may read what the program makes, whatever the
// umask, while a file the user opened to others stays as the user made it.
TEST_F(PrivateFiles, FoldersAndFilesTheProgramMakesAreTheUsersAloneWhateverTheUmask)
{
    for (const mode_t mask : {022, 0}) {
        ::umask(mask);
        const QString base = home.filePath(QStringLiteral("masque%1").arg(mask));
        qputenv("TARVELLE_HOME", (base + "/données/Tarvelle").toLocal8Bit());
        ResetAppFolder();
        const QString folder = AppFolder();
        ASSERT_TRUE(QFileInfo(folder).isDir());
        for (const QString& made : {base, base + "/données", folder})
            EXPECT_EQ(ModeOf(made), 0700U) << made.toStdString();

        ASSERT_TRUE(TextFile::Replace(folder + "Tarvelle.txt", "notes\r\n"));
        ASSERT_TRUE(TextFile::AppendLines(folder + "breakPoint.csv", {"07/12/2026;10:00:00;a"}));
        ASSERT_TRUE(TextFile::ReplaceThrough(folder + "Traceur.csv", "Traceur.tmp", "t\r\n"));
        ASSERT_TRUE(TextFile::Copy(folder + "Tarvelle.txt", folder + "Tarvelle_copie.txt"));
        const QString temporary = TextFile::MakeTemporary(folder + "Traceur.pdf");
        ASSERT_FALSE(temporary.isEmpty());
        for (const QString& name : Entries(folder))
            EXPECT_EQ(ModeOf(folder + name), 0600U) << name.toStdString();
        EXPECT_EQ(Entries(folder).size(), 5);

        // More open by the user's choice: replaced and appended to, it stays so.
        for (const char* name : {"Tarvelle.txt", "breakPoint.csv", "Traceur.csv"})
            ChangeMode(folder + name, 0644);
        ASSERT_TRUE(TextFile::Replace(folder + "Tarvelle.txt", "autres\r\n"));
        ASSERT_TRUE(TextFile::AppendLines(folder + "breakPoint.csv", {"08/12/2026;10:00:00;b"}));
        ASSERT_TRUE(TextFile::ReplaceThrough(folder + "Traceur.csv", "Traceur.tmp", "u\r\n"));
        for (const char* name : {"Tarvelle.txt", "breakPoint.csv", "Traceur.csv"})
            EXPECT_EQ(ModeOf(folder + name), 0644U) << name;
    }
    // A folder that exists is the user's to set: left as it is.
    ChangeMode(home.path(), 0755);
    ASSERT_TRUE(TextFile::MakeFolder(home.path()));
    EXPECT_EQ(ModeOf(home.path()), 0755U);
}

// A failed write says why in French, in one form: the text, then the reason in brackets.
TEST_F(PrivateFiles, AFailureGivesItsReasonInFrench)
{
    const QString path = home.filePath("Traceur.csv");
    ASSERT_TRUE(WriteBytes(path, "ancien\r\n"));
    QString error;

    ChangeMode(path, 0444);
    EXPECT_FALSE(TextFile::Replace(path, "x", &error));
    EXPECT_EQ(error, "fichier en lecture seule");
    error.clear();
    EXPECT_FALSE(TextFile::AppendLines(path, {"x"}, &error));
    EXPECT_EQ(error, "fichier en lecture seule");
    ChangeMode(path, 0600);

    ChangeMode(home.path(), 0500);
    error.clear();
    EXPECT_FALSE(TextFile::Replace(path, "x", &error));
    EXPECT_EQ(error, "dossier en lecture seule");
    error.clear();
    EXPECT_FALSE(TextFile::Replace(home.filePath("nouveau.txt"), "x", &error));
    EXPECT_EQ(error, "dossier en lecture seule");
    ChangeMode(home.path(), 0700);

    // A write cut short by the file-size limit, as a full disk would cut it.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const rlimit small{64, before.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    error.clear();
    const bool replaced = TextFile::Replace(path, QString(4096, u'x'), &error);
    const QString replaceError = error;
    error.clear();
    const bool appended = TextFile::AppendLines(path, {QString(4096, u'x')}, &error);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &before), 0);
    EXPECT_FALSE(replaced);
    EXPECT_EQ(replaceError, "taille de fichier maximale atteinte");
    EXPECT_FALSE(appended);
    EXPECT_EQ(error, "taille de fichier maximale atteinte");
    EXPECT_EQ(Entries(home.path()), QStringList("Traceur.csv"));

    const QString notAFolder = home.filePath("fichier");
    ASSERT_TRUE(WriteBytes(notAFolder, ""));
    error.clear();
    EXPECT_FALSE(TextFile::MakeFolder(notAFolder + "/dossier", &error));
    EXPECT_EQ(error, "un fichier est à la place d'un dossier");

    EXPECT_EQ(FileReason(ENOSPC), "disque plein");
    EXPECT_EQ(FileReason(EDQUOT), "disque plein");
    EXPECT_EQ(FileReason(EROFS), "disque en lecture seule");
    EXPECT_EQ(FileReason(12345), "erreur système n° 12345");
    EXPECT_EQ(WithReason(path + " est-il ouvert ?", "disque plein"),
              path + " est-il ouvert ? (disque plein)");
    EXPECT_EQ(WithReason(path + " occupé ?", QString()), path + " occupé ?");
}

// Every temporary a killed replace can leave is known by its name and goes at the next start,
// whatever its random part; a user's file of any name near it stays.
TEST_F(PrivateFiles, EveryLeftoverOfAKilledReplaceGoesAndNoUserFile)
{
    QDir folder(home.path());
    ASSERT_TRUE(TextFile::Replace(folder.filePath("Traceur.csv"), "t\r\n"));
    EXPECT_EQ(Entries(home.path()), QStringList("Traceur.csv")) << "a replace left a temporary";
    ASSERT_TRUE(folder.mkdir("ailleurs"));
    ASSERT_TRUE(QFile::link(folder.filePath("ailleurs/vrai.ini"), folder.filePath("Config.ini")));

    QStringList kept = {".Autre.csv.tarvelle-tmp-abcdef",
                        ".Traceur.csv.tarvelle-tmp-abcde",
                        ".Traceur.csv.tarvelle-tmp-abcdefg",
                        ".Traceur.csv.tarvelle-tmp-ab-def",
                        "Traceur.csv",
                        "Traceur.csv.AbCdEf",
                        "Traceur.csv.backup",
                        "Traceur.csv.tarvelle-tmp-abcdef"};
    for (const QString& name : kept)
        ASSERT_TRUE(name == "Traceur.csv" || WriteBytes(folder.filePath(name), "x"));
    kept.append("Config.ini");
    kept.sort();
    for (const char* name :
         {".Traceur.csv.tarvelle-tmp-abcdef", ".Traceur.csv.tarvelle-tmp-ABCDEF",
          ".Traceur.csv.tarvelle-tmp-0a9Z1b", "ailleurs/.vrai.ini.tarvelle-tmp-XyZabc"})
        ASSERT_TRUE(WriteBytes(folder.filePath(name), "x"));
    for (int i = 0; i < 64; ++i)
        ASSERT_FALSE(TextFile::MakeTemporary(folder.filePath("Traceur.csv")).isEmpty());
    ASSERT_FALSE(TextFile::MakeTemporary(folder.filePath("Config.ini")).isEmpty());
    TextFile::RemoveLeftovers({folder.filePath("Traceur.csv"), folder.filePath("Config.ini")});
    EXPECT_EQ(Entries(home.path()), kept);
    EXPECT_EQ(Entries(folder.filePath("ailleurs")), QStringList());
}
