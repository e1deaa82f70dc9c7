#include "E2eSupport.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>

bool StillRuns(QProcess& process)
{
    return process.state() != QProcess::NotRunning && !process.waitForFinished(0);
}

bool EndsWithZero(QProcess& process)
{
    return process.waitForFinished(kDeadlineMs) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

QStringList ShownWindows(qint64 pid, const QString& title)
{
    return RunTool("xdotool", {"search", "--all", "--onlyvisible", "--pid", QString::number(pid),
                               "--name", '^' + QRegularExpression::escape(title) + '$'})
        .split('\n', Qt::SkipEmptyParts);
}

QString ShownMainWindow(qint64 pid)
{
    for (const QString& window : ShownWindows(pid))
        if (RunTool("xwininfo", {"-id", window}).contains("-geometry 277x116"))
            return window;
    return {};
}

void ProgramTest::SetUp()
{
    ASSERT_TRUE(home.isValid() && runtime.isValid() && temp.isValid() &&
                environment.contains("TARVELLE_EXE") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        << "needs the program and an X display with a window manager (scripts/test.sh has both)";
    // Without a session bus, Qt would fork dbus-launch at the first control, and under the
    // sanitizer that fork can hang.
    ASSERT_TRUE(environment.contains("DBUS_SESSION_BUS_ADDRESS"))
        << "needs the session bus of the virtual X session (scripts/xsession.sh)";
    environment.insert("TARVELLE_HOME", home.path());
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    environment.insert("TMPDIR", temp.path()); // where Qt goes when the runtime folder is unusable
    // The settings file comes with the program: without it the program says so before it shows.
    beside = QFileInfo(environment.value("TARVELLE_EXE")).path();
    const QByteArray settings = ReadBytes(beside + "/ConfigMnemo.ini");
    ASSERT_TRUE(!settings.isEmpty() && WriteBytes(home.filePath("ConfigMnemo.ini"), settings));
}

void ProgramTest::TearDown()
{
    for (const auto& process : processes) {
        process->kill(); // whatever still runs
        process->waitForFinished(kDeadlineMs);
        const QByteArray errors = process->readAllStandardError();
        std::fputs(errors.constData(), stderr);
        const std::string name = QFileInfo(process->program()).fileName().toStdString();
        // Qt would take the start-up worker for the main thread, and events would get lost.
        EXPECT_FALSE(errors.contains("not created in the main() thread")) << name;
        // The sanitizer build's reports: a memory fault, undefined behaviour, a leak at the end.
        for (const char* report :
             {"ERROR: AddressSanitizer", "runtime error:", "ERROR: LeakSanitizer"})
            EXPECT_FALSE(errors.contains(report)) << name << ": " << report;
    }
}

bool ProgramTest::ChangeSettings(const std::vector<std::pair<QByteArray, QByteArray>>& values)
{
    QByteArray text = ReadBytes(home.filePath("ConfigMnemo.ini"));
    for (const auto& [key, value] : values) {
        const qsizetype at = text.indexOf("\n" + key + "="), start = at + key.size() + 2;
        if (at < 0)
            return false;
        text.replace(start, text.indexOf('\r', start) - start, value);
    }
    return WriteBytes(home.filePath("ConfigMnemo.ini"), text);
}

QString ProgramTest::WaitForWindow(QProcess& process, const QString& title)
{
    QString window;
    WaitUntil([&]() {
        const qint64 pid = StillRuns(process) ? process.processId() : 0;
        if (pid != 0)
            window = title.isEmpty() ? ShownMainWindow(pid) : ShownWindows(pid, title).value(0);
        return pid == 0 || !window.isEmpty();
    });
    return window;
}

QProcess& ProgramTest::Launch(const QString& program, const QStringList& args)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    // Their error output is read at the end of the test, then passed on to the test log.
    process->setProcessChannelMode(QProcess::ForwardedOutputChannel);
    process->start(program, args);
    process->waitForStarted(kDeadlineMs);
    processes.push_back(std::move(process));
    return *processes.back();
}
