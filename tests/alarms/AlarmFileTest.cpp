#include "TestEnv.h"
#include "TestFiles.h"
#include "alarms/U_AlarmFile.h"
#include "core/U_Glb.h"
#include "core/U_TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

using namespace AlarmFile;

namespace {
class AlarmFileOps : public TarvelleTest
{
protected:
    QString Path() const { return AppFolder() + "breakPoint.csv"; }
    QStringList Entries() const { return QDir(AppFolder()).entryList(QDir::Files, QDir::Name); }
    void ChangeMode(const QString& path, mode_t mode)
    {
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
    }
};
} // namespace

TEST(AlarmFileFormat, TemporaryNamesDatesAndTimes)
{
    EXPECT_EQ(PurgeTempName("06/12/2026", "10:15:42"), "bkP261206-101542");
    EXPECT_EQ(PurgeTempName("31/01/2027", "09:05:07"), "bkP270131-090507");
    for (const char* name : {"bkP261206-101542", "breakPoint.tmp"})
        EXPECT_TRUE(IsTemporaryName(name)) << name;
    for (const char* name : {"bkP261206-10154", "bkP261206-1015420", "bkP26120a-101542",
                             "bkP261206_101542", "bkp261206-101542", "breakPoint.tmp2"})
        EXPECT_FALSE(IsTemporaryName(name)) << name;

    EXPECT_EQ(ReadDate("29/02/2028"), QDate(2028, 2, 29));
    for (const char* date : {"31/02/2026", "1/12/2026", "01/12/26", "01-12-2026", "aa/bb/cccc", ""})
        EXPECT_FALSE(ReadDate(date).isValid()) << date;
    EXPECT_EQ(ReadTime("23:59:59"), QTime(23, 59, 59));
    for (const char* time : {"12:75:00", "24:00:00", "9:5:0", "09:05", "09:05:00x", "٠٩:٠٥:٠٠"})
        EXPECT_FALSE(ReadTime(time).isValid()) << time;
}

TEST(AlarmFileFormat, RecordsAndThePurgeChoice)
{
    EXPECT_EQ(ComposeRecord("24/12/2026", "09:05:00", {"Appeler", "le garage"}),
              "24/12/2026;09:05:00;Appeler|le garage");
    EXPECT_EQ(ComposeRecord("24/12/2026", "09:05:00", {"a;b", "c\r\nd"}),
              "24/12/2026;09:05:00;a;b|c|d");

    const QStringList lines = {"06/12/2026;10:00:00;hier",
                               "07/12/2026;08:00:00;ce matin",
                               "",
                               "01/01/2027;08:00:00;mois suivant, jour plus petit",
                               "06/01/2027;08:00:00;année suivante",
                               "31/02/2026;08:00:00;date impossible",
                               "01/01/2020;sans sujet",
                               "n'importe quoi",
                               "05/11/2026;08:00:00;a;b"};
    EXPECT_EQ(KeptByPurge(lines, QDate(2026, 12, 7)),
              QStringList({lines[1], lines[3], lines[4], lines[5], lines[6], lines[7]}));
    EXPECT_EQ(WithoutRecord(lines, 8).size(), 8);
    EXPECT_EQ(WithoutRecord(lines, 9), lines);
    EXPECT_EQ(WithoutRecord(lines, -1), lines);
}

// Records of other days, of the past, of the present second and unreadable ones are passed
// over; the first of several at the earliest time is taken.
TEST(AlarmFileFormat, TheNextAlarmAndTheLinesOfItsMoment)
{
    const QStringList lines = {"07/12/2026;09:30:00;maintenant", "07/12/2026;09:00:00;passée",
                               "08/12/2026;09:31:00;demain",     "07/12/2026;12:75:00;illisible",
                               "07/12/2026;10:00:00;Un",         "07/12/2026;9:45:00;illisible",
                               "07/12/2026;10:00:00;un",         "07/12/2026;09:45:00;suivante;x"};
    TNextAlarm next = FindNextAlarm(lines, "07/12/2026", "09:30:00");
    EXPECT_EQ(next.record, 8);
    EXPECT_EQ(next.time, QTime(9, 45));
    EXPECT_EQ(next.unreadable, QList<int>({4, 6}));
    next = FindNextAlarm(lines, "07/12/2026", "09:45:00");
    EXPECT_EQ(next.record, 5);
    EXPECT_EQ(FindNextAlarm(lines, "07/12/2026", "10:00:00").record, 0);

    EXPECT_EQ(LinesOfSameMoment(lines, 7), QStringList({lines[4], lines[6]}));
    EXPECT_TRUE(LinesOfSameMoment(lines, 9).isEmpty());
}

// What the user is told of a record that can never ring; a record that can, an empty line
// or one without a subject, gives nothing.
TEST(AlarmFileFormat, WhyARecordCanNeverRing)
{
    const QList<std::pair<QString, QString>> cases = {
        {"07/12/2026;10:00:00;a", ""},
        {"07/12/2026;10:00:00", ""},
        {"", ""},
        {"31/02/2026;10:00:00;a", "date illisible « 31/02/2026 »"},
        {"8/12/2026;10:00:00;a", "date illisible « 8/12/2026 »"},
        // A mark left inside the text by some other reader spoils the date.
        {QChar(0xFEFF) + QString("07/12/2026;10:00:00;a"),
         "date illisible « " + QString(QChar(0xFEFF)) + "07/12/2026 »"},
        {"rien", "date illisible « rien »"},
        {"07/12/2026;24:00:00;a", "heure illisible « 24:00:00 »"},
        {"07/12/2026", "heure illisible «  »"},
    };
    QStringList lines;
    for (const auto& [line, problem] : cases) {
        EXPECT_EQ(RecordProblem(line), problem) << line.toStdString();
        lines.append(line);
    }
    EXPECT_EQ(UnreadableRecords(lines), QList<int>({4, 5, 6, 7, 8, 9}));
}

// Appending never joins two records, and what is written is Windows-1252 with CR LF.
TEST_F(AlarmFileOps, AppendingWholeLines)
{
    ASSERT_TRUE(WriteBytes(Path(), "07/12/2026;10:00:00;sans fin de ligne"));
    ASSERT_TRUE(TextFile::AppendLines(Path(), {"07/12/2026;11:00:00;café à 11 h"}));
    EXPECT_EQ(ReadBytes(Path()), "07/12/2026;10:00:00;sans fin de ligne\r\n"
                                 "07/12/2026;11:00:00;caf\xE9 \xE0 11 h\r\n");
    ASSERT_TRUE(WriteBytes(Path(), "un\n"));
    ASSERT_TRUE(TextFile::AppendLines(Path(), {"deux"}));
    EXPECT_EQ(ReadBytes(Path()), "un\ndeux\r\n");
}

TEST_F(AlarmFileOps, RewritesReplaceWholeOrChangeNothing)
{
    ASSERT_TRUE(WriteBytes(Path(), "a\r\nb\r\n"));
    ASSERT_TRUE(RewriteAlarmFile(Path(), "breakPoint.tmp", {"été"}));
    EXPECT_EQ(ReadBytes(Path()), "\xE9t\xE9\r\n");
    EXPECT_EQ(Entries(), QStringList("breakPoint.csv"));

    QString error;
    ChangeMode(Path(), 0444);
    EXPECT_FALSE(RewriteAlarmFile(Path(), "breakPoint.tmp", {"x"}, &error));
    EXPECT_FALSE(RewriteAlarmFile(Path(), "breakPoint.tmp", {}, &error));
    EXPECT_EQ(error, "fichier en lecture seule");
    ChangeMode(Path(), 0644);
    ChangeMode(AppFolder(), 0555);
    EXPECT_FALSE(RewriteAlarmFile(Path(), "bkP261207-093000", {"x"}));
    EXPECT_FALSE(RewriteAlarmFile(Path(), "bkP261207-093000", {}));
    ChangeMode(AppFolder(), 0755);
    EXPECT_EQ(ReadBytes(Path()), "\xE9t\xE9\r\n");
    EXPECT_EQ(Entries(), QStringList("breakPoint.csv"));

    ASSERT_TRUE(RewriteAlarmFile(Path(), "breakPoint.tmp", {}));
    EXPECT_TRUE(Entries().isEmpty());
}

// A link stays a link: the file it points to is replaced, its temporary made beside it; the
// leftovers of a killed run go from both folders, and nothing else does.
TEST_F(AlarmFileOps, ALinkIsFollowedAndLeftoversGo)
{
    QDir folder(AppFolder());
    ASSERT_TRUE(folder.mkdir("ailleurs"));
    const QString target = folder.filePath("ailleurs/alarmes.csv");
    ASSERT_TRUE(WriteBytes(target, "a\r\n") && QFile::link(target, Path()));
    ASSERT_TRUE(RewriteAlarmFile(Path(), "breakPoint.tmp", {"b"}));
    EXPECT_EQ(QFileInfo(Path()).symLinkTarget(), target);
    EXPECT_EQ(ReadBytes(target), "b\r\n");

    const QStringList kept = {"bkP261206-10154", "bkP261206-101542.csv", "breakPoint.csv",
                              "breakPoint.tmp.old"};
    for (const char* name : {"bkP261206-10154", "bkP261206-101542.csv", "breakPoint.tmp.old",
                             "bkP261206-101542", "breakPoint.tmp", "ailleurs/breakPoint.tmp"})
        ASSERT_TRUE(WriteBytes(folder.filePath(name), "x"));
    RemoveTemporaries(Path());
    EXPECT_EQ(Entries(), kept);
    EXPECT_EQ(QDir(folder.filePath("ailleurs")).entryList(QDir::Files), QStringList("alarmes.csv"));
}
