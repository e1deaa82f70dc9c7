#include "E2eSupport.h"

#include <QFile>
#include <QRegularExpression>

#include <csignal>

using Notes = ProgramTest;

// A note typed into the subject box is in Tarvelle.txt after a session's end, in
// Windows-1252 with CR LF, the save stamp last.
TEST_F(Notes, ASessionEndSavesTheModifiedNotes)
{
    ASSERT_TRUE(ChangeSettings({{"Mnemo visible", "0"}}));
    QProcess* program = nullptr;
    const QString main = StartMain(program);
    ASSERT_FALSE(main.isEmpty());
    WaitUntil([this]() { return QFile::exists(home.filePath("Tarvelle.txt")); });
    RunTool("xdotool", {"mousemove", "--window", main, "120", "55", "click", "1"});
    RunTool("xdotool", {"type", "--window", main, "note de fin"});
    RunTool("xdotool", {"key", "--window", main, "Return"});
    // The program handles its input in order: once the notes button has shown the editor, the
    // keys before the click have reached the notes.
    RunTool("xdotool", {"mousemove", "--window", main, "133", "97", "click", "1"});
    ASSERT_FALSE(WaitForWindow(*program, "Scribelle").isEmpty());
    ::kill(static_cast<pid_t>(program->processId()), SIGTERM);
    ASSERT_TRUE(EndsWithZero(*program));

    static const QRegularExpression expected(QStringLiteral(
        "^Mnemo_\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d\r\n-{48}\r\nnote de fin\r\n"
        " \\[Dernier enreg. \u00E0 \\d\\d:\\d\\d:\\d\\d\\]\r\n$"));
    const QByteArray bytes = ReadBytes(home.filePath("Tarvelle.txt"));
    EXPECT_TRUE(expected.match(QString::fromLatin1(bytes)).hasMatch()) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("enreg. \xE0 ")) << "one byte for the à";
}

// A line of megabytes without any place to wrap between words (a hex dump) once froze the
// program at every start: the editor shows it, a session end is served, the line stays whole.
TEST_F(Notes, ALineOfMegabytesIsShownAndTheSessionEndServed)
{
    ASSERT_TRUE(ChangeSettings({{"Mnemo visible", "1"}}));
    const QByteArray bytes = "Mnemo_01/12/2026 08:00:00\r\n" + QByteArray(48, '-') + "\r\n" +
                             QByteArray("0123456789abcdef").repeated(3 << 16) + "\r\n";
    ASSERT_TRUE(WriteBytes(home.filePath("Tarvelle.txt"), bytes));
    QProcess* program = nullptr;
    const QString main = StartMain(program);
    ASSERT_FALSE(main.isEmpty());
    ASSERT_FALSE(WaitForWindow(*program, "Scribelle").isEmpty());
    // Input is handled in order: once the notes button has hidden the editor, the editor's
    // first paint, which lays the long line out, is over.
    RunTool("xdotool", {"mousemove", "--window", main, "133", "97", "click", "1"});
    EXPECT_TRUE(WaitUntil(
        [program]() { return ShownWindows(program->processId(), "Scribelle").isEmpty(); }));
    ::kill(static_cast<pid_t>(program->processId()), SIGTERM);
    ASSERT_TRUE(EndsWithZero(*program));
    EXPECT_TRUE(ReadBytes(home.filePath("Tarvelle.txt")).startsWith(bytes));
}
