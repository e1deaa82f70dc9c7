#include "E2eSupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <csignal>
#include <cstdio>
#include <memory>
#include <vector>

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

// A copy by another program reaches the notes file once the editor was shown, without its NUL
// and control characters.
TEST_F(Notes, ACopyReachesTheNotesFileCleaned)
{
    ASSERT_TRUE(ChangeSettings({{"Mnemo visible", "0"}}));
    QProcess* program = nullptr;
    const QString main = StartMain(program);
    ASSERT_FALSE(main.isEmpty());
    WaitUntil([this]() { return QFile::exists(home.filePath("Tarvelle.txt")); });
    RunTool("xdotool", {"mousemove", "--window", main, "133", "97", "click", "1"});
    ASSERT_FALSE(WaitForWindow(*program, "Scribelle").isEmpty());
    std::vector<std::unique_ptr<QProcess>> owners;
    // Waits until the owner was asked for `target`: the program reads one copy after another.
    const auto copy = [&](const QStringList& args, const QByteArray& input,
                          const QByteArray& target) {
        QProcess& owner = *owners.emplace_back(std::make_unique<QProcess>());
        owner.start(beside + "/tarvelle_clipowner", args);
        owner.write(input);
        owner.closeWriteChannel();
        QByteArray asked;
        return WaitUntil([&]() {
            owner.waitForReadyRead(20);
            asked += owner.readAllStandardOutput();
            return asked.split('\n').contains(target);
        });
    };
    static const char copied[] = "une\0 note\x07\tcopi\xC3\xA9"
                                 "e";
    EXPECT_TRUE(copy({"--stdin"}, QByteArray(copied, sizeof copied - 1), "UTF8_STRING"));
    EXPECT_TRUE(copy({"--text", "repère"}, {}, "TARGETS"));
    ::kill(static_cast<pid_t>(program->processId()), SIGTERM);
    ASSERT_TRUE(EndsWithZero(*program));
    for (const auto& owner : owners)
        owner->kill();
    const QByteArray bytes = ReadBytes(home.filePath("Tarvelle.txt"));
    EXPECT_TRUE(bytes.contains("\r\nune note\tcopi\xE9"
                               "e\r\n"))
        << bytes.toStdString();
}

// Another editor saves Tarvelle.txt while the program runs: a pad without unsaved notes takes
// the file as it now is and says so; a pad holding a new note keeps that version aside under a
// dated name beside it, then is saved: no line of either side is lost.
TEST_F(Notes, AChangeMadeByAnotherProgramIsReloadedOrKeptAside)
{
    ASSERT_TRUE(ChangeSettings({{"Mnemo visible", "0"}}));
    QProcess* program = nullptr;
    const QString main = StartMain(program);
    ASSERT_FALSE(main.isEmpty());
    const QString notes = home.filePath("Tarvelle.txt");
    ASSERT_TRUE(WaitUntil([&]() { return QFile::exists(notes); }));
    // The other editor writes a new file and renames it over the old one.
    const auto editorSaves = [&](const QByteArray& line) {
        const QString temporary = home.filePath(".Tarvelle.txt.swp");
        return WriteBytes(temporary, ReadBytes(notes) + line) &&
               ::rename(QFile::encodeName(temporary).constData(),
                        QFile::encodeName(notes).constData()) == 0;
    };
    ASSERT_TRUE(editorSaves("ligne d'ailleurs\r\n"));
    ASSERT_FALSE(WaitForWindow(*program, "Tarvelle.txt recharg\u00E9").isEmpty());
    // Typed once the message is gone, so that the keys reach the subject box.
    ASSERT_TRUE(WaitUntil([&]() {
        return ShownWindows(program->processId(), "Tarvelle.txt recharg\u00E9").isEmpty();
    }));

    RunTool("xdotool", {"mousemove", "--window", main, "120", "55", "click", "1"});
    RunTool("xdotool", {"type", "--window", main, "note d'ici"});
    RunTool("xdotool", {"key", "--window", main, "Return"});
    RunTool("xdotool", {"mousemove", "--window", main, "133", "97", "click", "1"});
    ASSERT_FALSE(WaitForWindow(*program, "Scribelle").isEmpty());
    ASSERT_TRUE(editorSaves("encore d'ailleurs\r\n"));
    const auto keptCopies = [&]() {
        return QDir(home.path()).entryList({"Tarvelle_modifi\u00E9_*\u00E0*.txt"}, QDir::Files);
    };
    ASSERT_TRUE(WaitUntil(
        [&]() { return keptCopies().size() == 1 && ReadBytes(notes).contains("note d'ici"); }));
    const QByteArray kept = ReadBytes(home.filePath(keptCopies().first()));
    EXPECT_TRUE(kept.contains("ligne d'ailleurs\r\nencore d'ailleurs\r\n")) << kept.constData();
    EXPECT_FALSE(kept.contains("note d'ici"));

    ::kill(static_cast<pid_t>(program->processId()), SIGTERM);
    ASSERT_TRUE(EndsWithZero(*program));
    const QByteArray saved = ReadBytes(notes);
    EXPECT_TRUE(saved.contains("ligne d'ailleurs\r\nnote d'ici\r\n")) << saved.constData();
    EXPECT_FALSE(saved.contains("encore d'ailleurs"));
    EXPECT_EQ(keptCopies().size(), 1);
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
