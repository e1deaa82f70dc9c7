#include "TestEnv.h"
#include "TestFiles.h"
#include "alarms/U_AlarmFile.h"
#include "alarms/U_Alarms.h"
#include "core/U_Glb.h"
#include "core/U_TextCodec.h"
#include "core/U_TextFile.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {
// The clock stands at 07/12/2026 09:30:00.
class Alarms : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        QObject::connect(&alarms, &TAlarms::ClockArmed, [this](int h, int m, int s, int record) {
            clockEvents << QTime(h, m, s).toString("hh:mm:ss") + " #" + QString::number(record);
        });
        QObject::connect(&alarms, &TAlarms::ClockDisarmed, [this]() { clockEvents << "off"; });
        QObject::connect(&alarms, &TAlarms::AlarmFired, [this]() { ++announced; });
    }
    QString Path() const { return alarms.FilePath(); }
    void Write(const QByteArray& bytes) { ASSERT_TRUE(WriteBytes(Path(), bytes)); }
    QStringList Entries() const { return QDir(AppFolder()).entryList(QDir::Files, QDir::Name); }
    QString Armed() const
    {
        return alarms.IsArmed() ? alarms.ArmedTime().toString("hh:mm:ss") + " #" +
                                      QString::number(alarms.ArmedRecord())
                                : QString("off");
    }
    void At(int hour, int minute, int second = 0, QDate day = QDate(2026, 12, 7))
    {
        clock->Set(QDateTime(day, QTime(hour, minute, second)));
    }

    TAlarms alarms;
    QStringList clockEvents;
    int announced = 0;
};
} // namespace

TEST_F(Alarms, RecordsOfTheSameMomentFireTogetherOnceEachLetterCaseAside)
{
    Write("07/12/2026;10:00:00;Rappel\r\n07/12/2026;09:45:00;b\r\n07/12/2026;10:00:00;rappel\r\n"
          "07/12/2026;10:00:00;autre\r\n07/12/2026;09:45:00;B\r\n");
    alarms.StartAlarms();
    EXPECT_EQ(clockEvents, QStringList("09:45:00 #2"));
    At(9, 45);
    alarms.rxClockerAlarm();
    EXPECT_EQ(Armed(), "10:00:00 #1");
    At(10, 0);
    alarms.rxClockerAlarm();
    EXPECT_EQ(announced, 2);
    EXPECT_EQ(alarms.FiredAlarms(),
              QStringList({"07/12/2026;09:45:00;b", "07/12/2026;10:00:00;autre",
                           "07/12/2026;10:00:00;Rappel"}));
    EXPECT_EQ(Armed(), "off");
    alarms.ClearFiredAlarms();
    EXPECT_TRUE(alarms.FiredAlarms().isEmpty());
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
}

// A past time and the present second are never armed; an earlier record added re-arms, one of
// another day leaves the clock as it was.
TEST_F(Alarms, WhatIsArmedAndWhenItChanges)
{
    Write("07/12/2026;09:00:00;pass\xE9"
          "e\r\n07/12/2026;09:30:00;maintenant\r\n");
    alarms.StartAlarms();
    EXPECT_EQ(Armed(), "off");
    EXPECT_TRUE(clockEvents.isEmpty());
    alarms.AppendAlarm("07/12/2026", "11:00:00", {"onze"});
    alarms.AppendAlarm("07/12/2026", "10:00:00", {"dix", "heures"});
    EXPECT_EQ(Armed(), "10:00:00 #4");
    alarms.AppendAlarm("08/12/2026", "09:40:00", {"demain"});
    EXPECT_EQ(Armed(), "10:00:00 #4");
    EXPECT_EQ(ReadBytes(Path()), "07/12/2026;09:00:00;pass\xE9"
                                 "e\r\n07/12/2026;09:30:00;maintenant\r\n"
                                 "07/12/2026;11:00:00;onze\r\n07/12/2026;10:00:00;dix|heures\r\n"
                                 "08/12/2026;09:40:00;demain\r\n");
}

TEST_F(Alarms, ThePurgeKeepsTodayLaterAndUnreadableDatesAndLeavesNoTemporary)
{
    Write("06/12/2026;10:00:00;hier\r\n01/01/2027;08:00:00;plus tard\r\n\r\n"
          "31/02/2026;08:00:00;date illisible\r\nrien\r\n");
    ASSERT_TRUE(WriteBytes(AppFolder() + "bkP261206-101542", "tué\r\n"));
    ASSERT_TRUE(WriteBytes(AppFolder() + "breakPoint.tmp", ""));
    alarms.StartAlarms();
    EXPECT_EQ(ReadBytes(Path()),
              "01/01/2027;08:00:00;plus tard\r\n31/02/2026;08:00:00;date illisible\r\nrien\r\n");
    EXPECT_EQ(Entries(), QStringList("breakPoint.csv"));
    dialogs->plainMessages.clear();

    // A file that may not be written is left as it is, and its alarms still armed.
    Write("01/12/2026;10:00:00;a\r\n07/12/2026;10:00:00;b\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(Path()).constData(), 0444), 0);
    alarms.StartAlarms();
    EXPECT_EQ(ReadBytes(Path()), "01/12/2026;10:00:00;a\r\n07/12/2026;10:00:00;b\r\n");
    EXPECT_EQ(Armed(), "10:00:00 #2");
    EXPECT_EQ(Entries(), QStringList("breakPoint.csv"));
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
    ASSERT_EQ(::chmod(QFile::encodeName(Path()).constData(), 0644), 0);

    Write("01/12/2026;10:00:00;a\n06/12/2026;23:59:00;b");
    alarms.StartAlarms();
    EXPECT_TRUE(Entries().isEmpty());
}

TEST_F(Alarms, RemovingRecords)
{
    Write("07/12/2026;10:00:00;a\r\n07/12/2026;11:00:00;b\r\n");
    alarms.StartAlarms();
    EXPECT_TRUE(alarms.RemoveAlarmRecord(0));
    EXPECT_EQ(ReadBytes(Path()), "07/12/2026;11:00:00;b\r\n");
    EXPECT_EQ(Armed(), "11:00:00 #1");
    EXPECT_TRUE(alarms.RemoveAlarmRecord(1));
    EXPECT_EQ(ReadBytes(Path()), "07/12/2026;11:00:00;b\r\n");

    ASSERT_EQ(::chmod(QFile::encodeName(Path()).constData(), 0444), 0);
    EXPECT_FALSE(alarms.RemoveAlarmRecord(0));
    EXPECT_EQ(dialogs->plainMessages,
              QStringList("Alarme non supprimée : " + Path() + " (fichier en lecture seule)"));
    ASSERT_EQ(::chmod(QFile::encodeName(Path()).constData(), 0644), 0);

    EXPECT_TRUE(alarms.RemoveAlarmRecord(0));
    EXPECT_TRUE(Entries().isEmpty());
    EXPECT_EQ(Armed(), "off");
    EXPECT_FALSE(alarms.RemoveAlarmRecord(0));
    EXPECT_EQ(dialogs->plainMessages.last(), "Anomalie : fichier des alarmes détruit ou déplacé.");
}

// Firing a record no longer there announces nothing; a vanished file changes nothing at all.
TEST_F(Alarms, FiringWhenTheFileChangedUnderneath)
{
    Write("07/12/2026;09:50:00;x\r\n07/12/2026;10:00:00;y\r\n07/12/2026;09:40:00;z\r\n");
    alarms.StartAlarms();
    Write("07/12/2026;09:50:00;x\r\n07/12/2026;10:00:00;y\r\n");
    At(9, 40);
    alarms.rxClockerAlarm();
    EXPECT_EQ(announced, 0);
    EXPECT_EQ(Armed(), "09:50:00 #1");
    ASSERT_TRUE(QFile::remove(Path()));
    At(9, 50);
    alarms.rxClockerAlarm();
    EXPECT_EQ(announced, 0);
    EXPECT_EQ(Armed(), "09:50:00 #1");
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
}

// Only a new day or a clock that jumped reads the file again.
TEST_F(Alarms, ANewDayOrAJumpOfTheClockChoosesAgain)
{
    Write("08/12/2026;00:00:30;demain\r\n07/12/2026;09:40:00;bientôt\r\n");
    alarms.StartAlarms();
    EXPECT_EQ(Armed(), "09:40:00 #2");
    Write("07/12/2026;09:35:00;ajouté à la main\r\n08/12/2026;00:00:30;demain\r\n");
    clock->AdvanceMs(1004);
    alarms.TimeTick();
    clock->AdvanceMs(990);
    alarms.TimeTick();
    EXPECT_EQ(Armed(), "09:40:00 #2");
    clock->AdvanceSeconds(-60);
    alarms.TimeTick();
    EXPECT_EQ(Armed(), "09:35:00 #1");
    ASSERT_TRUE(TextFile::AppendLines(Path(), {"07/12/2026;11:00:00;après la mise en veille"}));
    clock->AdvanceSeconds(3600);
    alarms.TimeTick();
    EXPECT_EQ(Armed(), "11:00:00 #3");

    At(23, 59, 59);
    alarms.TimeTick();
    EXPECT_EQ(Armed(), "off");
    At(0, 0, 0, QDate(2026, 12, 8));
    alarms.TimeTick();
    EXPECT_EQ(Armed(), "00:00:30 #2");
    EXPECT_EQ(clockEvents.last(), "00:00:30 #2");
}

// An alarm at midnight sharp fires at the tick that brings its day, not a day late.
TEST_F(Alarms, AMidnightAlarmFiresAtTheDaysFirstTick)
{
    Write("08/12/2026;00:00:30;ensuite\r\n08/12/2026;00:00:00;minuit\r\n");
    alarms.StartAlarms();
    At(23, 59, 59);
    alarms.TimeTick();
    At(0, 0, 0, QDate(2026, 12, 8));
    alarms.TimeTick();
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(alarms.FiredAlarms(), QStringList({"08/12/2026;00:00:00;minuit"}));
    EXPECT_EQ(Armed(), "00:00:30 #1");
}

const QString kCannotRing = "Alarmes qui ne peuvent pas sonner, gardées dans le fichier :\n";

// Every record that can never ring is told at start, whatever its day, once a session; it
// stays in the file.
TEST_F(Alarms, RecordsThatCanNeverRingAreToldAtStartOnceAndKept)
{
    const QByteArray file =
        "07/12/2026;10:00:00;a\r\n\r\n12/12/2026;12:75:00;x\r\n"
        "07/12/2026;09:5:0;b\r\n31/02/2026;08:00:00;c\r\n8/12/2026;08:00:00;d\r\n"
        "12/12/2026;13:00:00;y\r\n";
    Write(file);
    alarms.StartAlarms();
    At(0, 0, 0, QDate(2026, 12, 12));
    alarms.TimeTick();
    alarms.ArmNextAlarm();
    // The start's purge dropped the empty line, and only it.
    EXPECT_EQ(ReadBytes(Path()), QByteArray(file).replace("\r\n\r\n", "\r\n"));
    EXPECT_EQ(dialogs->plainMessages,
              QStringList(kCannotRing + "breakPoint.csv, ligne 2 : heure illisible « 12:75:00 »\n"
                                        "breakPoint.csv, ligne 3 : heure illisible « 09:5:0 »\n"
                                        "breakPoint.csv, ligne 4 : date illisible « 31/02/2026 »\n"
                                        "breakPoint.csv, ligne 5 : date illisible « 8/12/2026 »"));
    EXPECT_EQ(Armed(), "13:00:00 #6");

    // A line the user adds by hand during the session is told when its day is armed.
    Write(ReadBytes(Path()) + "12/12/2026;25:00:00;z\r\n");
    alarms.ArmNextAlarm();
    EXPECT_EQ(dialogs->plainMessages.last(),
              kCannotRing + "breakPoint.csv, ligne 7 : heure illisible « 25:00:00 »");
    EXPECT_EQ(dialogs->plainMessages.size(), 2);

    // Many are counted past the first ten, in the same one message.
    QByteArray many;
    for (int day = 32; day < 44; ++day)
        many += QByteArray::number(day) + "/12/2026;08:00:00;x\r\n";
    Write(many);
    TAlarms other;
    other.StartAlarms();
    ASSERT_EQ(dialogs->plainMessages.size(), 3);
    const QStringList told = dialogs->plainMessages.last().split(u'\n');
    ASSERT_EQ(told.size(), 12);
    EXPECT_EQ(told[10], "breakPoint.csv, ligne 10 : date illisible « 41/12/2026 »");
    EXPECT_EQ(told[11], "… et 2 autres alarmes illisibles.");
}

// Files other editors wrote: a leading UTF-8 mark, UTF-16 in either byte order, no final line
// end. Their first record rings like any other, and an append joins no two records.
TEST_F(Alarms, AByteOrderMarkOrUtf16SpoilsNoRecord)
{
    const QString records = QStringLiteral("07/12/2026;10:00:00;réunion\r\n07/12/2026;11:00:00;b");
    QStringEncoder little(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    QStringEncoder big(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom);
    for (const QByteArray& file :
         {"\xEF\xBB\xBF" + records.toUtf8(), QByteArray(little.encode(records)),
          QByteArray(big.encode(records))}) {
        SCOPED_TRACE(file.left(4).toHex().constData());
        Write(file);
        At(9, 30);
        alarms.StartAlarms();
        EXPECT_EQ(Armed(), "10:00:00 #1");
        At(10, 0);
        alarms.rxClockerAlarm();
        EXPECT_EQ(alarms.FiredAlarms(), QStringList("07/12/2026;10:00:00;réunion"));
        alarms.ClearFiredAlarms();
        alarms.AppendAlarm("07/12/2026", "12:00:00", {"c"});
        QStringList lines;
        ASSERT_TRUE(TextFile::ReadLines(Path(), lines));
        EXPECT_EQ(lines, QStringList({"07/12/2026;10:00:00;réunion", "07/12/2026;11:00:00;b",
                                      "07/12/2026;12:00:00;c"}));
        EXPECT_FALSE(ReadBytes(Path()).contains('\0')) << "UTF-16 is never appended to";
    }
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
}

// Odd files: every one read without harm, the good records among them still armed.
TEST_F(Alarms, OddFilesAreReadWithoutHarm)
{
    const QByteArray subject(300, 'x');
    const QList<QByteArray> files = {
        "",
        "07/12/2026;10:00:00",
        "07/12/2026;10:00:00;a\0b\n07/12/2026;10:30:00;\xC3\xA9t\xC3\xA9\n",
        "07/12/2026;10:00:00;" + subject + ";;\r\n",
    };
    for (const QByteArray& file : files) {
        Write(file);
        alarms.StartAlarms();
        alarms.ArmNextAlarm();
        EXPECT_EQ(Armed(), file.isEmpty() ? "off" : "10:00:00 #1") << file.constData();
        if (file.isEmpty())
            continue;
        At(10, 0);
        alarms.rxClockerAlarm();
        EXPECT_TRUE(alarms.FiredAlarms().last().startsWith("07/12/2026;10:00:00"));
        EXPECT_EQ(alarms.FiredAlarms().last(),
                  TextCodec::SplitLines(TextCodec::Decode(file)).first());
        At(9, 30);
    }
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
}

// An append the file size limit cuts short (a full disk alike) is told and leaves no half
// record, which the next start would tell as unreadable.
TEST_F(Alarms, AFailedAppendLeavesNoHalfRecord)
{
    const QByteArray file = "07/12/2026;10:00:00;a\r\n";
    Write(file);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const rlimit small{rlim_t(file.size() + 12), before.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    alarms.AppendAlarm("07/12/2026", "11:00:00", {"un sujet assez long pour ne pas tenir"});
    setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_EQ(dialogs->plainMessages,
              QStringList(Path() + " occupé ? (taille de fichier maximale atteinte)"));
    EXPECT_EQ(ReadBytes(Path()), file);
    alarms.StartAlarms();
    EXPECT_EQ(dialogs->plainMessages.size(), 1);
    EXPECT_EQ(Armed(), "10:00:00 #1");
}

TEST_F(Alarms, AFileThatCannotBeWrittenOrReadIsTold)
{
    ASSERT_TRUE(QDir(AppFolder()).mkdir("breakPoint.csv"));
    alarms.AppendAlarm("07/12/2026", "10:00:00", {"x"});
    EXPECT_EQ(dialogs->plainMessages, QStringList(Path() + " occupé ? (pas un fichier ordinaire)"));
    ASSERT_TRUE(QDir(AppFolder()).rmdir("breakPoint.csv"));

    alarms.AppendAlarm("07/12/2026", "10:00:00", {"x"});
    EXPECT_EQ(Armed(), "10:00:00 #1");
    ASSERT_TRUE(QFile::remove(Path()) && QDir(AppFolder()).mkdir("breakPoint.csv"));
    alarms.rxClockerAlarm();
    EXPECT_EQ(dialogs->plainMessages.last(), "breakPoint.csv corrompu ou absent du disque.");
    EXPECT_EQ(Armed(), "off");
}

// The list counts the records as it read them: when another program changed the file since,
// the record removed is still the one the user chose, found by its text, and that version of
// the file is kept aside first; a record gone meanwhile removes nothing.
TEST_F(Alarms, RemovingARecordFromAFileChangedSinceItWasListed)
{
    const QByteArray a = "08/12/2026;10:00:00;a\r\n", b = "08/12/2026;11:00:00;b\r\n",
                     c = "08/12/2026;12:00:00;c\r\n", x = "08/12/2026;09:00:00;x\r\n";
    const QString kept = AppFolder() + "breakPoint_modifié_07-12-2026à09-30-00.csv";
    Write(a + b + c);
    QStringList listed;
    ASSERT_TRUE(alarms.ReadListedAlarms(listed));
    ASSERT_EQ(listed.size(), 3);
    Write(x + a + b + c);
    EXPECT_TRUE(alarms.RemoveAlarmRecord(1));
    EXPECT_EQ(ReadBytes(Path()), x + a + c);
    EXPECT_EQ(ReadBytes(kept), x + a + b + c);
    ASSERT_EQ(dialogs->plainMessages.size(), 1);
    EXPECT_TRUE(dialogs->plainMessages.first().contains(kept));

    // Unchanged since: removed by its place, nothing kept.
    ASSERT_TRUE(alarms.ReadListedAlarms(listed));
    EXPECT_TRUE(alarms.RemoveAlarmRecord(0));
    EXPECT_EQ(ReadBytes(Path()), a + c);
    EXPECT_EQ(dialogs->plainMessages.size(), 1);

    // The place after the last record listed is no record another program appended.
    ASSERT_TRUE(alarms.ReadListedAlarms(listed));
    Write(a + c + x);
    EXPECT_TRUE(alarms.RemoveAlarmRecord(2));
    EXPECT_EQ(ReadBytes(Path()), a + c + x);

    ASSERT_TRUE(alarms.ReadListedAlarms(listed));
    Write(a + x);
    dialogs->plainMessages.clear();
    EXPECT_FALSE(alarms.RemoveAlarmRecord(1));
    EXPECT_EQ(ReadBytes(Path()), a + x);
    ASSERT_EQ(dialogs->plainMessages.size(), 1);
    EXPECT_TRUE(dialogs->plainMessages.first().contains("rien n'est supprimé"));
    EXPECT_FALSE(QFileInfo::exists(kept.chopped(4) + "_2.csv"));
}
