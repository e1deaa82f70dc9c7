#include "TestEnv.h"
#include "TestFiles.h"
#include "core/U_Glb.h"
#include "notes/U_NotesPad.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>

#include <vector>

namespace {
const QString kRule(48, u'-');
const QString kSeparator(48, u' ');

class NotesFile : public TarvelleTest
{
protected:
    QString NotesPath() const { return AppFolder() + "Tarvelle.txt"; }
    TNotesPad pad;
};
} // namespace

TEST_F(NotesFile, FirstStartCreatesTheHeaderAndTheRuleWithoutDayLines)
{
    EXPECT_TRUE(pad.LoadNotes());
    EXPECT_EQ(ReadBytes(NotesPath()), "Mnemo_07/12/2026 09:30:00\r\n" + kRule.toLatin1() + "\r\n");
    EXPECT_EQ(pad.Lines(), QStringList({"Mnemo_07/12/2026 09:30:00", kRule}));
    EXPECT_FALSE(Glb().Modified);
    EXPECT_TRUE(Glb().DataLoaded);
}

// The day lines come when the first ten characters of the last header differ from the new one.
TEST_F(NotesFile, DayLinesFollowTheTenCharacterComparisonOfTheLastHeader)
{
    struct TCase
    {
        const char* file;
        QDate today;
        bool dayLines;
    } cases[] = {
        {"Mnemo_07/12/2026 08:00:00\r\nx\r\n", QDate(2026, 12, 7), false},
        {"Mnemo_06/12/2026 08:00:00\r\nx\r\n", QDate(2026, 12, 7), true},
        {"Mnemo_06/11/2026 09:00:00\r\n", QDate(2026, 11, 7), true},
        {"Mnemo_06/11/2026 09:00:00\r\n", QDate(2026, 12, 6), false},
        {"Mnemo_06/11/2026 09:00:00\r\n", QDate(2027, 1, 6), true},
        {"Mnemo_01/01/2026 1\r\nMnemo_06/11/2026 09:00:00\r\n x Mnemo_\r\n", QDate(2026, 11, 6),
         false},
        {"no header\r\n", QDate(2026, 12, 7), true},
        {"", QDate(2026, 12, 7), true},
    };
    for (const TCase& c : cases) {
        clock->Set(QDateTime(c.today, QTime(10, 0, 0)));
        ASSERT_TRUE(WriteBytes(NotesPath(), c.file));
        pad.Clear();
        pad.LoadNotes();
        QStringList expected = TextCodec::SplitLines(c.file);
        if (c.dayLines)
            expected << kSeparator << "Mnemo_" + c.today.toString("dd/MM/yyyy") + " 10:00:00"
                     << kRule;
        EXPECT_EQ(pad.Lines(), expected) << c.file;
        EXPECT_EQ(ReadBytes(NotesPath()), c.file) << "the day lines wait for a save";
    }
}

// Each save of the default file adds its stamp to file and pad; a failed one adds nothing.
TEST_F(NotesFile, SaveStampsAndAFailedSave)
{
    pad.LoadNotes();
    pad.AddNotesEntry("café");
    clock->AdvanceSeconds(65);
    EXPECT_TRUE(pad.SaveNotes());
    clock->AdvanceSeconds(1);
    EXPECT_TRUE(pad.SaveNotes());
    const QByteArray saved = ReadBytes(NotesPath());
    EXPECT_TRUE(saved.endsWith("caf\xE9\r\n [Dernier enreg. \xE0 09:31:05]\r\n"
                               " [Dernier enreg. \xE0 09:31:06]\r\n"));
    EXPECT_EQ(pad.Lines().last(), " [Dernier enreg. à 09:31:06]");

    pad.AddNotesEntry("new");
    QFile::setPermissions(NotesPath(), QFile::ReadOwner);
    EXPECT_FALSE(pad.SaveNotes());
    EXPECT_EQ(ReadBytes(NotesPath()), saved);
    EXPECT_EQ(dialogs->plainMessages,
              QStringList({NotesPath() + " est-il ouvert ? (fichier en lecture seule)"}));
    EXPECT_EQ(pad.Lines().last(), "new");
}

TEST_F(NotesFile, ASaveBeforeTheLoadKeepsTheFilesLines)
{
    ASSERT_TRUE(WriteBytes(NotesPath(), "Mnemo_07/12/2026 08:00:00\r\nold\r\n"));
    pad.AppendLine("dropped");
    EXPECT_TRUE(pad.SaveNotes());
    EXPECT_TRUE(
        ReadBytes(NotesPath()).startsWith("dropped\r\nMnemo_07/12/2026 08:00:00\r\nold\r\n"));
}

// A name taken gets "_2"; with no file to back up, the user is told and nothing is removed.
TEST_F(NotesFile, BackupsAreDatedAndNeverOverwritten)
{
    pad.LoadNotes();
    EXPECT_EQ(pad.BackupNotesFile(), AppFolder() + "Tarvelle_07-12-2026à09-30-00.txt");
    EXPECT_EQ(pad.BackupNotesFile(), QString());
    EXPECT_EQ(dialogs->plainMessages.size(), 1);
    pad.LoadNotes();
    EXPECT_EQ(pad.BackupNotesFile(), AppFolder() + "Tarvelle_07-12-2026à09-30-00_2.txt");
}

// Whatever the default file holds, its lines are read and written back in the program's form.
TEST_F(NotesFile, OddDefaultFilesAreReadWholeAndRewrittenInTheProgramsForm)
{
    const QByteArray stamp = "Mnemo_07/12/2026 01:00:00";
    struct TCase
    {
        QByteArray file;
        QByteArray saved;
    };
    std::vector<TCase> cases = {
        {"\xEF\xBB\xBF" + stamp + "\ncaf\xC3\xA9\n", stamp + "\r\ncaf\xE9\r\n"},
        {stamp + "\ra\rb", stamp + "\r\na\r\nb\r\n"},
        {stamp + "\r\n\xE6\x9D\xB1\r\n", stamp + "\r\n\xE6\x9D\xB1\r\n"},
        {stamp + "\r\n" + QByteArray(1 << 20, 'x') + "\r\n",
         stamp + "\r\n" + QByteArray(1 << 20, 'x') + "\r\n"},
    };
    QByteArray many = stamp + "\n";
    for (int i = 0; i < 100000; ++i)
        many += "ligne " + QByteArray::number(i) + "\n";
    cases.push_back({many, QByteArray(many).replace("\n", "\r\n")});
    Glb().Options.TimeOnRecording = false;
    for (const TCase& c : cases) {
        ASSERT_TRUE(WriteBytes(NotesPath(), c.file));
        pad.Clear();
        pad.LoadNotes();
        EXPECT_TRUE(pad.SaveNotes());
        EXPECT_EQ(ReadBytes(NotesPath()), c.saved) << c.file.left(40).toStdString();
    }
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
}

// What the load could not take whole (NUL bytes left out, a file not read) is kept under a
// dated name before the first rewrite, and the user told once.
TEST_F(NotesFile, AnOriginalNotReadWholeIsKeptBeforeTheFirstRewrite)
{
    const QByteArray nul = "Mnemo_07/12/2026 01:00:00\r\nab" + QByteArray(2, '\0') + "c\r\n";
    ASSERT_TRUE(WriteBytes(NotesPath(), nul));
    EXPECT_TRUE(pad.LoadNotes());
    EXPECT_EQ(pad.Lines(), QStringList({"Mnemo_07/12/2026 01:00:00", "abc"}));
    EXPECT_TRUE(pad.SaveNotes());
    EXPECT_TRUE(pad.SaveNotes());
    EXPECT_EQ(ReadBytes(home.filePath("Tarvelle_original07-12-2026à09-30-00.txt")), nul);
    EXPECT_EQ(dialogs->plainMessages.size(), 1);

    // UTF-16 from another editor holds NUL bytes too, but is read as the text it is.
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    const QByteArray wide = utf16.encode(QStringLiteral("Mnemo_07/12/2026 01:00:00\r\ncafé\r\n"));
    ASSERT_TRUE(WriteBytes(NotesPath(), wide));
    pad.Clear();
    EXPECT_TRUE(pad.LoadNotes());
    EXPECT_EQ(pad.Lines(), QStringList({"Mnemo_07/12/2026 01:00:00", "café"}));
    EXPECT_TRUE(pad.SaveNotes());
    EXPECT_EQ(ReadBytes(home.filePath("Tarvelle_original07-12-2026à09-30-00_2.txt")), wide);
    EXPECT_EQ(dialogs->plainMessages.size(), 2);
    ASSERT_TRUE(QFile::remove(home.filePath("Tarvelle_original07-12-2026à09-30-00_2.txt")));

    ASSERT_TRUE(QFile::remove(NotesPath()) && QDir(home.path()).mkdir("Tarvelle.txt"));
    pad.Clear();
    EXPECT_FALSE(pad.LoadNotes());
    EXPECT_TRUE(dialogs->plainMessages.last().endsWith(" KO"));
    EXPECT_EQ(pad.LineCount(), 3);
    EXPECT_TRUE(pad.SaveNotes());
    EXPECT_TRUE(QFileInfo(home.filePath("Tarvelle_original07-12-2026à09-30-00_2.txt")).isDir());
    EXPECT_TRUE(ReadBytes(NotesPath()).startsWith(kSeparator.toLatin1()));
    EXPECT_EQ(dialogs->plainMessages.size(), 4);
}
