#include "TestEnv.h"
#include "TestFiles.h"
#include "app/U_NotesAndTrace.h"
#include "app/U_RecoveryOffer.h"
#include "app/U_RecoveryRecorder.h"
#include "core/U_RecoveryJournal.h"
#include "core/U_TextCodec.h"
#include "notes/U_NotesPad.h"
#include "notes/U_NotesText.h"
#include "tracer/U_TraceData.h"

#include <QCoreApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

namespace {
// Enough lines for the file to come into the pad in several steps.
constexpr int kLines = 50000;

// One run of the program as far as its notes and journal go.
struct TRun
{
    explicit TRun(const QString& primary)
        : recorder(notes, trace.grid, TRecoveryFile(primary, primary + ".etat"))
    {
    }
    void Start()
    {
        LoadNotesAndTrace(notes, trace);
        OfferRecovery(recorder, notes, trace);
    }
    void FinishLoad()
    {
        for (int turns = 0; notes.Loading() && turns < 1000; ++turns)
            QCoreApplication::processEvents();
        ASSERT_FALSE(notes.Loading());
    }

    TNotesPad notes;
    TTraceData trace;
    TRecoveryRecorder recorder;
};

class RecoveryLoad : public TarvelleTest
{
protected:
    void SetUp() override
    {
        TarvelleTest::SetUp();
        primary = QDir(home.path()).filePath("Tarvelle.recup");
    }
    // A new process: fresh state, the files left as they are.
    std::unique_ptr<TRun> NewRun()
    {
        ResetGlb();
        Glb().Options.TimeOnRecording = false;
        return std::make_unique<TRun>(primary);
    }
    // Today's notes file, large; its lines.
    QStringList WriteNotes()
    {
        QStringList lines{NotesText::NewHeader(), NotesText::Rule()};
        for (int i = 0; i < kLines; ++i)
            lines.append(QStringLiteral("Ligne %1 du fichier, assez longue pour peser.").arg(i));
        EXPECT_TRUE(WriteBytes(AppFolder() + "Tarvelle.txt",
                               TextCodec::Encode(TextCodec::JoinLines(lines))));
        return lines;
    }
    // The journal's changes to the notes, as written.
    std::vector<RecoveryJournal::TLinesChange> NotesChanges() const
    {
        std::vector<RecoveryJournal::TLinesChange> changes;
        for (const auto& change : RecoveryJournal::Decode(ReadBytes(primary)).changes)
            if (change.notes)
                changes.push_back(*change.notes);
        return changes;
    }

    QString primary;
};
} // namespace

// While the file comes in, the journal is left as it is: it never takes the lines not yet in
// for lines deleted, nor the lines coming in for unsaved ones. Once it is all in, it holds
// only the copy; after an unclean end the offer waits for the whole file, then puts the copy
// back once.
TEST_F(RecoveryLoad, TheJournalWaitsForTheWholeFile)
{
    const QStringList lines = WriteNotes();
    QStringList saved;
    {
        auto run = NewRun();
        QSignalSpy loaded(&run->notes, &TNotesPad::FileLoaded);
        run->Start();
        ASSERT_TRUE(run->notes.Loading());
        QCoreApplication::processEvents();
        run->notes.AppendLine("copie 1");
        run->recorder.Flush();
        EXPECT_TRUE(ReadBytes(primary).isEmpty());
        run->FinishLoad();
        ASSERT_EQ(loaded.count(), 1);
        EXPECT_EQ(loaded[0], QVariantList({0, int(lines.size())}));
        run->recorder.Flush();
        auto changes = NotesChanges();
        ASSERT_EQ(changes.size(), 1U);
        EXPECT_EQ(changes[0].lines, QStringList("copie 1"));
        EXPECT_EQ(changes[0].prefix, lines.size());

        // Saved, then loaded again with the trace: nothing written until the file is in.
        ASSERT_TRUE(SaveNotesAndTrace(run->notes, run->trace));
        saved = run->notes.Lines();
        EXPECT_TRUE(ReadBytes(primary).isEmpty());
        run->notes.Clear();
        LoadNotesAndTrace(run->notes, run->trace);
        ASSERT_TRUE(run->notes.Loading());
        run->recorder.Flush();
        EXPECT_TRUE(ReadBytes(primary).isEmpty());
        run->FinishLoad();
        run->recorder.Flush();
        EXPECT_TRUE(ReadBytes(primary).isEmpty());

        // Loaded again alone, as when the file changed on disk, with a copy meanwhile.
        run->notes.Clear();
        run->notes.LoadNotes();
        ASSERT_TRUE(run->notes.Loading());
        QCoreApplication::processEvents();
        run->notes.AppendLine("copie 2");
        run->recorder.Flush();
        EXPECT_TRUE(ReadBytes(primary).isEmpty());
        run->FinishLoad();
        run->recorder.Flush();
        changes = NotesChanges();
        ASSERT_EQ(changes.size(), 1U);
        EXPECT_EQ(changes[0].lines, QStringList("copie 2"));
        EXPECT_EQ(changes[0].prefix, saved.size());
        EXPECT_EQ(loaded.count(), 3);
        // Killed here: the journal stays.
    }
    auto run = NewRun();
    dialogs->AnswerNext(1);
    run->Start();
    ASSERT_TRUE(run->notes.Loading());
    EXPECT_TRUE(dialogs->questions.isEmpty());
    // A mark on the file's first line, which a pad put in again whole would lose.
    run->notes.Document()->firstBlock().setUserState(7);
    run->FinishLoad();
    ASSERT_EQ(dialogs->questions.size(), 1);
    // Only the lost line goes in: the file's lines are not put in again.
    EXPECT_EQ(run->notes.Document()->firstBlock().userState(), 7);
    EXPECT_TRUE(dialogs->questions[0].text.contains("1 ligne de notes"))
        << dialogs->questions[0].text.toStdString();
    EXPECT_EQ(run->notes.Lines(), saved + QStringList("copie 2"));
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs->questions.size(), 1);
    EXPECT_EQ(run->notes.Lines().count("copie 2"), 1);
}

// Lines deleted while the file comes in leave the pad shorter than the file: the journal
// starts from what is there.
TEST_F(RecoveryLoad, LinesDeletedDuringTheLoadLeaveTheJournalSound)
{
    WriteNotes();
    auto run = NewRun();
    run->Start();
    ASSERT_TRUE(run->notes.Loading());
    QCoreApplication::processEvents();
    QTextCursor all(run->notes.Document());
    all.select(QTextCursor::Document);
    all.removeSelectedText();
    run->FinishLoad();
    run->notes.AppendLine("après");
    run->recorder.Flush();
    const auto changes = NotesChanges();
    ASSERT_EQ(changes.size(), 1U);
    EXPECT_EQ(changes[0].lines.last(), "après");
}

// Saved while the file comes in, the pad is its file once it is all in: the copy saved then is
// no unsaved line, and a later copy follows it.
TEST_F(RecoveryLoad, ASaveDuringTheLoadIsTheNewBase)
{
    WriteNotes();
    auto run = NewRun();
    run->Start();
    run->FinishLoad();
    run->notes.Clear();
    run->notes.LoadNotes();
    ASSERT_TRUE(run->notes.Loading());
    run->notes.AppendLine("copie");
    ASSERT_TRUE(SaveNotesAndTrace(run->notes, run->trace));
    ASSERT_TRUE(run->notes.Loading());
    run->FinishLoad();
    run->recorder.Flush();
    EXPECT_TRUE(ReadBytes(primary).isEmpty());
    const QStringList saved = run->notes.Lines();
    EXPECT_EQ(saved.last(), "copie");
    run->notes.AppendLine("après");
    run->recorder.Flush();
    const auto changes = NotesChanges();
    ASSERT_EQ(changes.size(), 1U);
    EXPECT_EQ(changes[0].lines, QStringList("après"));
    EXPECT_EQ(changes[0].prefix, saved.size());
}
