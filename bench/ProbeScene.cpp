#include "ProbeScene.h"

#include "platform/x11/U_PlatformX11.h"

#include <QDeadlineTimer>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr int kDeadlineMs = 10000;

void Xdotool(const QStringList& args)
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), args);
    tool.waitForFinished(kDeadlineMs);
}

template <typename Condition> bool WaitUntil(Condition condition)
{
    const QDeadlineTimer deadline(kDeadlineMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

quint64 ReadId(QProcess& process)
{
    const QDeadlineTimer deadline(kDeadlineMs);
    while (!process.canReadLine() && !deadline.hasExpired())
        process.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
    return process.readLine().trimmed().toULongLong(nullptr, 16);
}
} // namespace

TProbeScene::TProbeScene()
{
    helper.start(QStringLiteral(TARVELLE_TESTWINDOW),
                 {QStringLiteral("--title"), QStringLiteral("Fenêtre mesurée"),
                  QStringLiteral("--owned-dialog"), QStringLiteral("Dialogue mesuré")});
    if (!helper.waitForStarted(kDeadlineMs))
        return;
    window = ReadId(helper);
    dialog = ReadId(helper);
    ready = window && dialog && Arrange();
}

TProbeScene::~TProbeScene()
{
    SetExtraProcesses(0);
    helper.kill();
    helper.waitForFinished(kDeadlineMs);
}

void TProbeScene::SetExtraProcesses(int count)
{
    while (static_cast<int>(extra.size()) < count) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            // Ends with the benchmark, even one that crashed.
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::execlp("sleep", "sleep", "600", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        if (pid < 0)
            return;
        extra.push_back(pid);
    }
    while (static_cast<int>(extra.size()) > count) {
        ::kill(extra.back(), SIGKILL);
        ::waitpid(extra.back(), nullptr, 0);
        extra.pop_back();
    }
}

bool TProbeScene::Arrange()
{
    const QString id = QString::number(window), dialogId = QString::number(dialog);
    Xdotool({QStringLiteral("windowmove"), id, QStringLiteral("100"), QStringLiteral("100")});
    Xdotool({QStringLiteral("windowmove"), dialogId, QStringLiteral("700"), QStringLiteral("100")});
    Xdotool({QStringLiteral("mousemove"), QStringLiteral("200"), QStringLiteral("180")});
    Xdotool({QStringLiteral("windowactivate"), dialogId});
    TPlatformX11 probe;
    return WaitUntil([&]() {
        QPoint pos;
        return probe.CursorPos(pos) && probe.WindowFromPoint(pos) == window &&
               probe.ForegroundWindow() == dialog;
    });
}
