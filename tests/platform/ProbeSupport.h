#pragma once

#include "ToolRun.h"

#include <QPoint>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

// The screen position of a window's top-left corner, from xwininfo; (-1, -1) once the server no
// longer knows it.
QPoint WindowOrigin(quint64 window);

quint64 RootWindow();

// Runs `tool` with the space-separated `args` (ids, numbers and names: nothing to quote).
QString Tool(const char* tool, const QString& args);

// A running copy of the test-window helper and the ids of the windows it shows; killed at the end.
class THelperWindow
{
public:
    explicit THelperWindow(const QString& title, const QString& dialogTitle = QString());
    ~THelperWindow();
    THelperWindow(const THelperWindow&) = delete;
    THelperWindow& operator=(const THelperWindow&) = delete;

    // True once the helper printed its window ids and its windows are mapped.
    bool IsShown() const { return shown; }
    quint64 Window() const { return window; }
    quint64 Dialog() const { return dialog; }
    qint64 Pid() const { return pid; }
    // Ends the helper and waits until it has ended.
    void Kill();

private:
    quint64 ReadWindowId();

    QProcess process;
    quint64 window = 0;
    quint64 dialog = 0;
    qint64 pid = 0;
    bool shown = false;
};
