#include "E2eSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

#include <sys/stat.h>

QString FolderListing(const QString& folder)
{
    QStringList lines;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        // An entry gone meanwhile shows with zeros. Nanoseconds, so that a rewrite within the
        // same second still shows.
        struct stat info = {};
        ::lstat(QFile::encodeName(path).constData(), &info);
        lines << path + QString::asprintf(" %lld %lld.%09ld", static_cast<long long>(info.st_size),
                                          static_cast<long long>(info.st_mtim.tv_sec),
                                          info.st_mtim.tv_nsec);
    }
    lines.sort();
    return lines.join('\n');
}

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
    const QString name = '^' + QRegularExpression::escape(title) + '$';
    return RunTool("xdotool", {"search", "--all", "--onlyvisible", "--pid", QString::number(pid),
                               "--name", name})
        .split('\n', Qt::SkipEmptyParts);
}

QString ShownMainWindow(qint64 pid)
{
    for (const QString& window : ShownWindows(pid)) {
        const QString info = RunTool("xwininfo", {"-id", window});
        if (info.contains("Width: 277\n") && info.contains("Height: 116\n"))
            return window;
    }
    return {};
}

bool IsMinimised(const QString& window, bool minimised)
{
    return RunTool("xprop", {"-id", window, "WM_STATE"}).contains("window state: Iconic") ==
               minimised &&
           RunTool("xwininfo", {"-id", window}).contains("Map State: IsViewable") != minimised;
}

QPoint WindowPosition(const QString& window)
{
    static const QRegularExpression xy(QStringLiteral("X=(-?\\d+)\\nY=(-?\\d+)"));
    const auto match = xy.match(RunTool("xdotool", {"getwindowgeometry", "--shell", window}));
    return {match.captured(1).toInt(), match.captured(2).toInt()};
}

bool IsStackedAbove(const QString& upper, const QString& lower)
{
    // Bottom to top: "_NET_CLIENT_LIST_STACKING(WINDOW): window id # 0x..., 0x...".
    const QString stacking = RunTool("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"});
    QList<qulonglong> order;
    for (const QString& id : stacking.section('#', 1).split(','))
        order << id.trimmed().toULongLong(nullptr, 16);
    const qsizetype up = order.indexOf(upper.toULongLong());
    const qsizetype low = order.indexOf(lower.toULongLong());
    return up >= 0 && low >= 0 && up > low;
}

ProgramTest::ProgramTest()
{
    environment.insert("TARVELLE_HOME", home.path());
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    // Where Qt falls back to when the runtime folder is unusable.
    environment.insert("TMPDIR", temp.path());
}

ProgramTest::~ProgramTest()
{
    for (const auto& process : processes) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(kDeadlineMs);
        }
    }
}

void ProgramTest::SetUp()
{
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY"))
        << "needs an X display with a window manager (scripts/test.sh provides one)";
    ASSERT_TRUE(home.isValid() && runtime.isValid() && temp.isValid() && scratch.isValid());
    ASSERT_FALSE(environment.value("TARVELLE_EXE").isEmpty());
    // The settings file comes with the program: without it the program says so before it shows
    // itself. Copies keep the source's permissions; the program must be able to rewrite its own.
    const QString settings = home.filePath("ConfigMnemo.ini");
    ASSERT_TRUE(QFile::copy(
        QFileInfo(environment.value("TARVELLE_EXE")).path() + "/ConfigMnemo.ini", settings));
    ASSERT_TRUE(QFile::setPermissions(settings, QFile::ReadOwner | QFile::WriteOwner));
}

bool ProgramTest::ChangeSettings(const std::vector<std::pair<QByteArray, QByteArray>>& values)
{
    QFile file(home.filePath("ConfigMnemo.ini"));
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QByteArray text = file.readAll();
    for (const auto& [key, value] : values) {
        const qsizetype at = text.indexOf("\n" + key + "=");
        if (at < 0)
            return false;
        const qsizetype start = at + key.size() + 2;
        text.replace(start, text.indexOf('\r', start) - start, value);
    }
    return file.seek(0) && file.resize(0) && file.write(text) == text.size();
}

// Waits until `find` names a window of the running process; "" when the process ends first.
static QString WaitFor(QProcess& process, const std::function<QString(qint64)>& find)
{
    QString window;
    WaitUntil([&]() {
        window = StillRuns(process) ? find(process.processId()) : QString();
        return !window.isEmpty() || !StillRuns(process);
    });
    return window;
}

QString ProgramTest::WaitForWindow(QProcess& process, const QString& title)
{
    return WaitFor(process, [&](qint64 pid) { return ShownWindows(pid, title).value(0); });
}

QString ProgramTest::StartMain(QProcess*& copy)
{
    copy = &Start();
    return WaitFor(*copy, ShownMainWindow);
}

QString ProgramTest::ShowTestWindow(const QString& title)
{
    const QString helper =
        QFileInfo(environment.value("TARVELLE_EXE")).path() + "/tarvelle_testwindow";
    return WaitForWindow(Launch(helper, {"--title", title}), title);
}

QProcess& ProgramTest::Launch(const QString& program, const QStringList& args)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    // The programs' own messages end up in the test log, which ctest shows on failure.
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(program, args);
    process->waitForStarted(kDeadlineMs);
    processes.push_back(std::move(process));
    return *processes.back();
}
