#include "E2eSupport.h"
#include "core/U_RecoveryJournal.h"

#include <QFile>

#include <csignal>

using Recovery = ProgramTest;

namespace {
bool Journaled(const QString& path, const QString& line)
{
    for (const auto& change : RecoveryJournal::Decode(ReadBytes(path)).changes)
        if (change.notes && change.notes->lines.contains(line))
            return true;
    return false;
}
} // namespace

// Killed a moment after a note was typed, the program offers it back at its next start; taken,
// the note is saved once at the session's end, and the journal is gone.
TEST_F(Recovery, AKilledProgramGivesItsNoteBackOnce)
{
    ASSERT_TRUE(ChangeSettings({{"Mnemo visible", "0"}}));
    QProcess* program = nullptr;
    QString main = StartMain(program);
    ASSERT_FALSE(main.isEmpty());
    WaitUntil([this]() { return QFile::exists(home.filePath("Tarvelle.txt")); });
    RunTool("xdotool", {"mousemove", "--window", main, "120", "55", "click", "1"});
    RunTool("xdotool", {"type", "--window", main, "note perdue"});
    RunTool("xdotool", {"key", "--window", main, "Return"});
    const QString journal = home.filePath("Tarvelle.recup");
    ASSERT_TRUE(WaitUntil([&journal]() { return Journaled(journal, "note perdue"); }));
    ::kill(static_cast<pid_t>(program->processId()), SIGKILL);
    program->waitForFinished();

    main = StartMain(program);
    ASSERT_FALSE(main.isEmpty());
    QString question;
    const auto findQuestion = [&]() {
        question = RunTool("xdotool",
                           {"search", "--all", "--onlyvisible", "--pid",
                            QString::number(program->processId()), "--name", "notes et traces non"})
                       .split('\n', Qt::SkipEmptyParts)
                       .value(0);
        return !question.isEmpty();
    };
    ASSERT_TRUE(WaitUntil(findQuestion));
    // The answer bar along the bottom of the question answers OK; a click that came before
    // the window could take it is given again.
    ASSERT_TRUE(WaitUntil([&]() {
        RunTool("xdotool", {"mousemove", "--window", question, "20", "80", "click", "1"});
        return !findQuestion();
    }));
    ::kill(static_cast<pid_t>(program->processId()), SIGTERM);
    ASSERT_TRUE(EndsWithZero(*program));
    EXPECT_EQ(ReadBytes(home.filePath("Tarvelle.txt")).count("\r\nnote perdue\r\n"), 1);
    EXPECT_FALSE(QFile::exists(journal));
}
