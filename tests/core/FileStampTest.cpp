#include "TestEnv.h"
#include "TestFiles.h"
#include "core/U_FileStamp.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {
class FileStamps : public TarvelleTest
{
protected:
    QString Path(const QString& name) const { return QDir(home.path()).filePath(name); }
};
} // namespace

// Only the bytes count: a file touched keeps its content, one rewritten with the same size
// does not, and a missing file is a state of its own.
TEST_F(FileStamps, TellsAChangedContentWhateverTheSizeAndTime)
{
    const QString path = Path("notes.txt");
    ASSERT_TRUE(WriteBytes(path, "abc\r\n"));
    const TFileStamp read = TFileStamp::Of(path, "abc\r\n");
    EXPECT_TRUE(read.SameContent(TFileStamp::Current(path)));
    EXPECT_TRUE(read.LooksCurrent(path));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(-3),
                                 QFileDevice::FileModificationTime));
    file.close();
    EXPECT_FALSE(read.LooksCurrent(path));
    EXPECT_TRUE(read.SameContent(TFileStamp::Current(path)));

    ASSERT_TRUE(WriteBytes(path, "abd\r\n"));
    QByteArray bytes;
    const TFileStamp now = TFileStamp::Current(path, &bytes);
    EXPECT_EQ(bytes, "abd\r\n");
    EXPECT_FALSE(read.SameContent(now));

    ASSERT_TRUE(QFile::remove(path));
    const TFileStamp absent = TFileStamp::Current(path);
    EXPECT_TRUE(absent.IsKnown());
    EXPECT_FALSE(absent.Exists());
    EXPECT_FALSE(read.SameContent(absent));
    EXPECT_FALSE(read.LooksCurrent(path));
    EXPECT_TRUE(absent.LooksCurrent(path));
    EXPECT_FALSE(TFileStamp().IsKnown());
}

// The kept copy sits beside the file under its base name, "_modifié_", the date and time as a
// file name can hold them, and its extension; a name taken gets a number.
TEST_F(FileStamps, KeptAsideNameIsDatedBesideTheFile)
{
    ASSERT_TRUE(QDir(home.path()).mkpath("sub"));
    const QString notes = Path("sub/Tarvelle.txt");
    EXPECT_EQ(FileStamp::KeptAsidePath(notes),
              Path("sub/Tarvelle_modifié_07-12-2026à09-30-00.txt"));
    ASSERT_TRUE(WriteBytes(Path("sub/Tarvelle_modifié_07-12-2026à09-30-00.txt"), "x"));
    EXPECT_EQ(FileStamp::KeptAsidePath(notes),
              Path("sub/Tarvelle_modifié_07-12-2026à09-30-00_2.txt"));
    EXPECT_EQ(FileStamp::KeptAsidePath(Path("README")), Path("README_modifié_07-12-2026à09-30-00"));
    EXPECT_EQ(FileStamp::KeptAsidePath(Path("a.tar.gz")),
              Path("a.tar_modifié_07-12-2026à09-30-00.gz"));
}

TEST_F(FileStamps, KeepsAnotherProgramsVersionOnceAndSaysWhere)
{
    const QString path = Path("Traceur.csv");
    ASSERT_TRUE(WriteBytes(path, "mine\r\n"));
    const TFileStamp mine = TFileStamp::Current(path);
    // Unchanged, unknown, or gone: nothing to keep.
    QString kept = "x";
    EXPECT_TRUE(FileStamp::KeepOthersVersion(path, mine, kept));
    EXPECT_TRUE(kept.isEmpty());
    EXPECT_TRUE(FileStamp::KeepOthersVersion(path, TFileStamp(), kept));
    FileStamp::TellKeptVersion(path, kept);
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());

    ASSERT_TRUE(WriteBytes(path, "theirs\r\n"));
    EXPECT_TRUE(FileStamp::KeepOthersVersion(path, mine, kept));
    EXPECT_EQ(kept, Path("Traceur_modifié_07-12-2026à09-30-00.csv"));
    EXPECT_EQ(ReadBytes(kept), "theirs\r\n");
    EXPECT_TRUE(dialogs->plainMessages.isEmpty()) << "told once the file is rewritten";
    FileStamp::TellKeptVersion(path, kept);
    ASSERT_EQ(dialogs->plainMessages.size(), 1);
    EXPECT_TRUE(dialogs->plainMessages.first().startsWith("Traceur.csv avait été modifié"));
    EXPECT_TRUE(dialogs->plainMessages.first().contains(kept));

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_TRUE(FileStamp::KeepOthersVersion(path, mine, kept));
    EXPECT_TRUE(kept.isEmpty());
}

// A disk that takes no more bytes: the version cannot be kept, so the file must stay.
TEST_F(FileStamps, AVersionThatCannotBeKeptStopsTheRewrite)
{
    const QString path = Path("notes.txt");
    ASSERT_TRUE(WriteBytes(path, "mine"));
    const TFileStamp mine = TFileStamp::Current(path);
    ASSERT_TRUE(WriteBytes(path, "theirs, longer than the limit"));
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const struct rlimit small = {8, limit.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    QString copy;
    const bool kept = FileStamp::KeepOthersVersion(path, mine, copy);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, handler);
    EXPECT_FALSE(kept);
    ASSERT_EQ(dialogs->plainMessages.size(), 1);
    EXPECT_TRUE(dialogs->plainMessages.first().contains("il n'est pas remplacé"));
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), QStringList("notes.txt"));
}

// One file under every name it can be reached by; a missing one by the place it would have.
TEST_F(FileStamps, SameFileSeesThroughLinksAndOtherPaths)
{
    const QString path = Path("breakPoint.csv");
    ASSERT_TRUE(QDir(home.path()).mkpath("sub"));
    EXPECT_TRUE(FileStamp::SameFile(Path("sub/../breakPoint.csv"), path));
    ASSERT_TRUE(WriteBytes(path, "x"));
    ASSERT_TRUE(QFile::link(path, Path("sub/link.csv")));
    ASSERT_EQ(::link(QFile::encodeName(path).constData(),
                     QFile::encodeName(Path("sub/hard.csv")).constData()),
              0);
    ASSERT_TRUE(WriteBytes(Path("sub/breakPoint.csv"), "x"));
    EXPECT_TRUE(FileStamp::SameFile(Path("sub/link.csv"), path));
    EXPECT_TRUE(FileStamp::SameFile(Path("sub/hard.csv"), path));
    EXPECT_TRUE(FileStamp::SameFile(Path("sub/../breakPoint.csv"), path));
    EXPECT_FALSE(FileStamp::SameFile(Path("sub/breakPoint.csv"), path));
    EXPECT_FALSE(FileStamp::SameFile(Path("other.csv"), path));
}
