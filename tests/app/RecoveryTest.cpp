#include "TestEnv.h"
#include "TestFiles.h"
#include "app/U_NotesAndTrace.h"
#include "app/U_RecoveryOffer.h"
#include "app/U_RecoveryRecorder.h"
#include "core/U_RecoveryJournal.h"
#include "notes/U_NotesPad.h"
#include "tracer/U_TraceData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {
const QString kQuestion = QStringLiteral("Récupérer les notes et traces non enregistrées ?");

// One run of the program as far as its notes, trace and journal go.
struct TRun
{
    TRun(const QString& primary, const QString& fallback, int delayMs)
        : recorder(notes, trace.grid, TRecoveryFile(primary, fallback), delayMs)
    {
    }
    void Start()
    {
        LoadNotesAndTrace(notes, trace);
        OfferRecovery(recorder, notes, trace);
    }
    void Trace(const QString& title)
    {
        const TDateTime at = NowDateTime();
        trace.AddRow({"a.exe", title, std::floor(at), at - std::floor(at), 0, 0, 0});
    }

    TNotesPad notes;
    TTraceData trace;
    TRecoveryRecorder recorder;
};

class Recovery : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        primary = QDir(home.path()).filePath("Tarvelle.recup");
        fallback = QDir(home.path()).filePath("state/Tarvelle/Tarvelle.recup");
    }
    // A new process: fresh state, the files left as they are.
    std::unique_ptr<TRun> NewRun(int delayMs = 1000)
    {
        ResetGlb();
        return std::make_unique<TRun>(primary, fallback, delayMs);
    }
    QString NotesPath() const { return QDir(home.path()).filePath("Tarvelle.txt"); }
    qsizetype Count(const QStringList& lines, const QString& line) const
    {
        return lines.count(line);
    }
    QStringList KeptJournals() const
    {
        return QDir(home.path()).entryList({"Tarvelle_recup_*.recup"}, QDir::Files);
    }

    QString primary;
    QString fallback;
};
} // namespace

// Killed after its entries, copies and rows reached the journal, the program gives them back at
// the next start when asked, once; saved, they are in the files once and the journal is gone.
TEST_F(Recovery, AnUncleanEndGivesEverythingBackOnce)
{
    {
        auto run = NewRun();
        run->Start();
        EXPECT_TRUE(dialogs->questions.isEmpty());
        run->notes.AddNotesEntry("entrée");
        run->notes.AppendLine("copie\r\nsur deux lignes");
        run->Trace("Titre 1");
        run->trace.grid.SetCell(0, 5, "09:31:00");
        run->recorder.Flush();
        EXPECT_TRUE(QFileInfo::exists(primary));
    }
    auto run = NewRun();
    dialogs->AnswerNext(1);
    run->Start();
    ASSERT_EQ(dialogs->questions.size(), 1);
    EXPECT_TRUE(dialogs->questions[0].text.endsWith("\n" + kQuestion));
    EXPECT_TRUE(dialogs->questions[0].text.contains("3 lignes de notes et 1 ligne de trace"))
        << dialogs->questions[0].text.toStdString();
    const QStringList lines = run->notes.Lines();
    EXPECT_EQ(lines.mid(2), QStringList({"entrée", "copie", "sur deux lignes"}));
    ASSERT_EQ(run->trace.grid.rowCount(), 1);
    EXPECT_EQ(run->trace.grid.Cell(0, 1), "Titre 1");
    EXPECT_EQ(run->trace.grid.Cell(0, 5), "09:31:00");
    ASSERT_NE(run->trace.table.Proc(0), nullptr);
    EXPECT_EQ(run->trace.table.Proc(0)->winTitle, "Titre 1");
    EXPECT_TRUE(Glb().Modified);
    // Back as unsaved changes, still journaled until the save.
    EXPECT_FALSE(run->recorder.File().Found().isEmpty());
    EXPECT_TRUE(SaveNotesAndTrace(run->notes, run->trace));
    EXPECT_TRUE(run->recorder.File().Found().isEmpty());
    EXPECT_EQ(ReadBytes(NotesPath())
                  .count("\nentr\xe9"
                         "e\r\n"),
              1);
    EXPECT_TRUE(KeptJournals().isEmpty());
}

// Refused, the journal stays under a dated name and nothing comes back.
TEST_F(Recovery, ARefusalKeepsTheJournalAside)
{
    {
        auto run = NewRun();
        run->Start();
        run->notes.AddNotesEntry("perdue ?");
        run->recorder.Flush();
    }
    auto run = NewRun();
    dialogs->AnswerNext(2);
    run->Start();
    ASSERT_EQ(dialogs->questions.size(), 1);
    EXPECT_TRUE(dialogs->questions[0].text.contains("1 ligne de notes n'était pas enregistrée."));
    EXPECT_EQ(run->notes.LineCount(), 2);
    EXPECT_EQ(KeptJournals().size(), 1);
    EXPECT_TRUE(run->recorder.File().Found().isEmpty());
    EXPECT_FALSE(Glb().Modified);
}

// Killed between a save's rename and the journal's emptying: the saved lines come back once,
// unasked. A file changed by another program meanwhile is never patched: the journal is kept.
TEST_F(Recovery, ASavedJournalBringsNothingTwice)
{
    QByteArray journal;
    {
        auto run = NewRun();
        run->Start();
        run->notes.AddNotesEntry("sauvée");
        run->recorder.Flush();
        journal = ReadBytes(primary);
        ASSERT_TRUE(SaveNotesAndTrace(run->notes, run->trace));
    }
    ASSERT_TRUE(WriteBytes(primary, journal + RecoveryJournal::EncodeSaving()));
    {
        auto run = NewRun();
        run->Start();
        EXPECT_TRUE(dialogs->questions.isEmpty());
        EXPECT_TRUE(dialogs->plainMessages.isEmpty());
        EXPECT_EQ(Count(run->notes.Lines(), "sauvée"), 1);
        EXPECT_TRUE(run->recorder.File().Found().isEmpty());
    }
    ASSERT_TRUE(WriteBytes(primary, journal));
    ASSERT_TRUE(WriteBytes(NotesPath(), ReadBytes(NotesPath()) + "autre\r\n"));
    auto run = NewRun();
    run->Start();
    EXPECT_TRUE(dialogs->questions.isEmpty());
    ASSERT_EQ(dialogs->plainMessages.size(), 1);
    EXPECT_TRUE(dialogs->plainMessages[0].contains("conservé sous"));
    EXPECT_EQ(KeptJournals().size(), 1);
    EXPECT_EQ(Count(run->notes.Lines(), "sauvée"), 1);
}

// A burst of changes is one record, written by the single-shot timer; nothing is armed while
// nothing changes.
TEST_F(Recovery, ABurstIsOneWriteAndIdleIsNoTimer)
{
    auto run = NewRun(0);
    run->Start();
    auto* timer = run->recorder.findChild<QTimer*>("timerRecovery");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isSingleShot());
    EXPECT_FALSE(timer->isActive());
    for (int i = 0; i < 50; ++i)
        run->notes.AddNotesEntry(QString::number(i));
    run->Trace("T");
    EXPECT_TRUE(timer->isActive());
    QTRY_VERIFY(!timer->isActive());
    const auto content = RecoveryJournal::Decode(ReadBytes(primary));
    ASSERT_EQ(content.changes.size(), 1u);
    EXPECT_EQ(content.changes[0].notes->lines.size(), 50);
    EXPECT_EQ(content.changes[0].trace->rows.size(), 1u);
    // A second burst adds only what it changed.
    run->notes.AddNotesEntry("50");
    run->recorder.Flush();
    const auto more = RecoveryJournal::Decode(ReadBytes(primary));
    ASSERT_EQ(more.changes.size(), 2u);
    EXPECT_EQ(more.changes[1].notes->lines, QStringList("50"));
    EXPECT_FALSE(more.changes[1].trace);
    EXPECT_FALSE(timer->isActive());
}

// Closing after "Enregistrer le fichier ?" was answered otherwise removes the journal; a
// closing whose save failed (a dangling link in the file's place) keeps it for the next start.
TEST_F(Recovery, ClosingRemovesOnlyWhatTheUserGaveUp)
{
    {
        auto run = NewRun();
        run->Start();
        run->notes.AddNotesEntry("abandonnée");
        run->recorder.SaveDeclined();
        run->recorder.ProgramClosing();
        EXPECT_TRUE(run->recorder.File().Found().isEmpty());
    }
    const QByteArray saved = ReadBytes(NotesPath());
    {
        auto run = NewRun();
        run->Start();
        run->notes.AddNotesEntry("gardée");
        ASSERT_TRUE(QFile::remove(NotesPath()));
        ASSERT_TRUE(QFile::link(QDir(home.path()).filePath("absent/Tarvelle.txt"), NotesPath()));
        EXPECT_FALSE(SaveNotesAndTrace(run->notes, run->trace));
        run->recorder.ProgramClosing();
        EXPECT_FALSE(run->recorder.File().Found().isEmpty());
    }
    ASSERT_TRUE(QFile::remove(NotesPath()));
    ASSERT_TRUE(WriteBytes(NotesPath(), saved));
    auto run = NewRun();
    dialogs->AnswerNext(1);
    run->Start();
    EXPECT_EQ(Count(run->notes.Lines(), "gardée"), 1);
    EXPECT_EQ(Count(run->notes.Lines(), "abandonnée"), 0);
}

// With the program's folder unwritable the journal goes to the state folder, and is offered
// from there.
TEST_F(Recovery, TheStateFolderStandsInForTheProgramsFolder)
{
    primary = QDir(home.path()).filePath("plein/Tarvelle.recup");
    ASSERT_TRUE(WriteBytes(QDir(home.path()).filePath("plein"), "un fichier, pas un dossier"));
    {
        auto run = NewRun();
        run->Start();
        run->notes.AddNotesEntry("ailleurs");
        run->recorder.Flush();
        EXPECT_EQ(run->recorder.File().Found(), fallback);
    }
    auto run = NewRun();
    dialogs->AnswerNext(1);
    run->Start();
    EXPECT_EQ(Count(run->notes.Lines(), "ailleurs"), 1);
}

// Restarted on the day the lost lines began, the day lines are not given twice.
TEST_F(Recovery, TheDayLinesComeOnce)
{
    ASSERT_TRUE(WriteBytes(NotesPath(),
                           "Mnemo_06/12/2026 09:00:00\r\n" + QByteArray(48, '-') + "\r\nhier\r\n"));
    {
        auto run = NewRun();
        run->Start();
        run->notes.AddNotesEntry("aujourd'hui");
        run->recorder.Flush();
    }
    clock->AdvanceSeconds(3600);
    auto run = NewRun();
    dialogs->AnswerNext(1);
    run->Start();
    const QStringList lines = run->notes.Lines();
    EXPECT_EQ(lines.filter("Mnemo_07/12/2026").size(), 1) << lines.join('|').toStdString();
    EXPECT_EQ(lines.last(), "aujourd'hui");
}

// The day lines a start adds are no lost work: a clean closing leaves no journal for them, and
// after a kill they alone are not offered.
TEST_F(Recovery, TheDayLinesAloneAreNoLoss)
{
    ASSERT_TRUE(
        WriteBytes(NotesPath(), "Mnemo_06/12/2026 09:00:00\r\n" + QByteArray(48, '-') + "\r\n"));
    {
        auto run = NewRun();
        run->Start();
        run->recorder.Flush();
        EXPECT_FALSE(run->recorder.File().Found().isEmpty());
        run->recorder.ProgramClosing();
        EXPECT_TRUE(run->recorder.File().Found().isEmpty());
    }
    {
        auto run = NewRun();
        run->Start();
        run->recorder.Flush();
    }
    auto run = NewRun();
    run->Start();
    EXPECT_TRUE(dialogs->questions.isEmpty());
    EXPECT_EQ(run->notes.Lines().filter("Mnemo_07/12/2026").size(), 1);
}
