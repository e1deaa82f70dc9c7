#pragma once

#include <QProcess>

#include <sys/types.h>
#include <vector>

// What the probe benchmark measures against: a helper window with an owned dialog under the
// pointer, the dialog active, and as many idle extra processes as asked for.
class TProbeScene
{
public:
    TProbeScene();
    ~TProbeScene();
    TProbeScene(const TProbeScene&) = delete;
    TProbeScene& operator=(const TProbeScene&) = delete;

    // Whether the window manager shows both windows where they should be, within a deadline.
    bool IsReady() const { return ready; }
    quint64 Window() const { return window; }
    quint64 Dialog() const { return dialog; }
    qint64 Pid() const { return helper.processId(); }
    // Starts or ends idle processes (sleep) until `count` run besides the scene.
    void SetExtraProcesses(int count);

private:
    bool Arrange();

    QProcess helper;
    quint64 window = 0;
    quint64 dialog = 0;
    bool ready = false;
    std::vector<pid_t> extra;
};
