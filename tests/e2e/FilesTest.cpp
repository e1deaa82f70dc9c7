#include "E2eSupport.h"

#include <QFile>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {
class Files : public ProgramTest
{
protected:
    bool MakeFifo(const QString& name)
    {
        const QString path = home.filePath(name);
        return (!QFile::exists(path) || QFile::remove(path)) &&
               ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    }
    bool IsFifo(const QString& name)
    {
        struct stat info = {};
        return ::lstat(QFile::encodeName(home.filePath(name)).constData(), &info) == 0 &&
               S_ISFIFO(info.st_mode);
    }
    // With the program tracing from its start, gives the tracer time for a few samples of the
    // main window on the real clock: the trace has changed and is saved at the end.
    static bool Traces(QProcess& program)
    {
        const QString main = WaitForWindow(program);
        if (main.isEmpty())
            return false;
        RunTool("xdotool", {"mousemove", "--window", main, "150", "60"});
        WaitUntil([] { return false; }, 2500);
        return true;
    }
    // Sends the session's end, and what the program said on its error output once it is gone.
    static QByteArray EndSession(QProcess& program, bool& endedWithZero)
    {
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        endedWithZero = EndsWithZero(program);
        program.setReadChannel(QProcess::StandardError);
        return program.peek(1 << 20); // left for the fixture to pass on
    }
};
} // namespace

// A FIFO in the place of a data file would block the program in its open: it is refused as a
// file that cannot be read or written, with the message the program has for that file.
TEST_F(Files, AFifoInTheSettingsOrTraceFilesPlaceIsRefusedAndLeftAlone)
{
    ASSERT_TRUE(MakeFifo("ConfigMnemo.ini"));
    QProcess& first = Start();
    // "Problème au chargement" comes before the main window shows.
    const QString message = WaitForWindow(first, "Tarvelle");
    ASSERT_FALSE(message.isEmpty()) << "the program hung on the settings FIFO";
    ASSERT_TRUE(ShownMainWindow(first.processId()).isEmpty()) << "no load message";
    RunTool("xdotool", {"windowactivate", "--sync", message, "key", "--clearmodifiers", "Return"});
    EXPECT_TRUE(WaitUntil([&]() { return !ShownMainWindow(first.processId()).isEmpty(); }));
    bool ended = false;
    EndSession(first, ended);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(IsFifo("ConfigMnemo.ini"));

    ASSERT_TRUE(QFile::remove(home.filePath("ConfigMnemo.ini")));
    ASSERT_TRUE(
        WriteBytes(home.filePath("ConfigMnemo.ini"), ReadBytes(beside + "/ConfigMnemo.ini")));
    ASSERT_TRUE(ChangeSettings({{"D\xE9marrage sur Traceur", "1"}}));
    ASSERT_TRUE(MakeFifo("Traceur.csv"));
    QProcess& second = Start();
    ASSERT_TRUE(Traces(second));
    const QByteArray said = EndSession(second, ended);
    EXPECT_TRUE(ended) << "the program hung on the trace FIFO";
    EXPECT_TRUE(said.contains("Traceur.csv est-il ouvert ? (pas un fichier ordinaire)"))
        << said.constData();
    EXPECT_TRUE(IsFifo("Traceur.csv"));
}

// Beyond the file-size limit a save fails and says so; the signal that comes with it must not
// end the program, and the trace file stays as it was. A killed save's leftover goes at start.
TEST_F(Files, ASaveBeyondTheFileSizeLimitFailsAndTheProgramEndsNormally)
{
    ASSERT_TRUE(ChangeSettings({{"D\xE9marrage sur Traceur", "1"}}));
    QByteArray trace;
    for (int i = 0; i < 4000; ++i)
        trace += "PROG" + QByteArray::number(i % 40) + ".EXE;Document " + QByteArray::number(i) +
                 ";06/12/2026;08:00:00;09:00:00;09:30:00;00:45:00\r\n";
    ASSERT_TRUE(WriteBytes(home.filePath("Traceur.csv"), trace));
    ASSERT_TRUE(WriteBytes(home.filePath(".Traceur.csv.tarvelle-tmp-xyzabc"), trace.left(1000)));
    // A print killed before its rename leaves its PDF under a temporary name as well.
    ASSERT_TRUE(WriteBytes(home.filePath("Traceur_01-12-2026.pdf.tarvelle-tmp"), "%PDF-1.4\n"));

    // The program started meanwhile inherits the limit, well above its settings file.
    rlimit before = {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const rlimit limited = {64 * 1024, before.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    QProcess& program = Start();
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &before), 0);
    ASSERT_TRUE(Traces(program));
    EXPECT_FALSE(QFile::exists(home.filePath(".Traceur.csv.tarvelle-tmp-xyzabc")));
    EXPECT_FALSE(QFile::exists(home.filePath("Traceur_01-12-2026.pdf.tarvelle-tmp")));

    bool ended = false;
    const QByteArray said = EndSession(program, ended);
    EXPECT_TRUE(ended) << "exit status " << program.exitStatus() << ", code " << program.exitCode();
    EXPECT_TRUE(said.contains("Traceur.csv est-il ouvert ? (taille de fichier maximale atteinte)"))
        << said.constData();
    EXPECT_TRUE(ReadBytes(home.filePath("Traceur.csv")) == trace);
}
