#pragma once

#include "ToolRun.h"

#include <QDeadlineTimer>
#include <QPoint>
#include <QProcess>
#include <QRegularExpression>

// Runs `tool` with the space-separated `args` (ids, numbers and names: nothing to quote).
inline QString Tool(const char* tool, const QString& args)
{
    return RunTool(QLatin1String(tool), args.split(QLatin1Char(' ')));
}

// The screen position of a window's top-left corner, from xwininfo; (-1, -1) once the server no
// longer knows it.
inline QPoint WindowOrigin(quint64 window)
{
    bool ok = false;
    const QString info =
        RunTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window)}, &ok);
    static const QRegularExpression origin(
        QStringLiteral("Absolute upper-left X:\\s+(-?\\d+)\\s+Absolute upper-left Y:\\s+(-?\\d+)"));
    const QRegularExpressionMatch match = origin.match(info);
    return ok && match.hasMatch() ? QPoint(match.captured(1).toInt(), match.captured(2).toInt())
                                  : QPoint(-1, -1);
}

inline quint64 RootWindow()
{
    // "xwininfo: Window id: 0x50d (the root window) (has no name)"
    return Tool("xwininfo", QStringLiteral("-root"))
        .section(QLatin1String("Window id: "), 1)
        .section(QLatin1Char(' '), 0, 0)
        .toULongLong(nullptr, 16);
}

// A running copy of the test-window helper and the ids of the windows it shows; killed at the end.
class THelperWindow
{
public:
    explicit THelperWindow(const QString& title, const QString& dialogTitle = QString())
    {
        QStringList args{QStringLiteral("--title"), title};
        if (!dialogTitle.isEmpty())
            args << QStringLiteral("--owned-dialog") << dialogTitle;
        process.start(QStringLiteral(TARVELLE_TESTWINDOW), args);
        if (!process.waitForStarted(kDeadlineMs))
            return;
        pid = process.processId();
        window = ReadWindowId();
        if (!dialogTitle.isEmpty())
            dialog = ReadWindowId();
        const auto viewable = [](quint64 id) {
            return Tool("xwininfo", QStringLiteral("-id %1").arg(id))
                .contains(QLatin1String("Map State: IsViewable"));
        };
        shown = window && (dialogTitle.isEmpty() || dialog) &&
                WaitUntil([&]() { return viewable(window) && (!dialog || viewable(dialog)); });
    }
    ~THelperWindow() { Kill(); }
    THelperWindow(const THelperWindow&) = delete;
    THelperWindow& operator=(const THelperWindow&) = delete;

    // True once the helper printed its window ids and its windows are mapped.
    bool IsShown() const { return shown; }
    quint64 Window() const { return window; }
    quint64 Dialog() const { return dialog; }
    qint64 Pid() const { return pid; }
    // Ends the helper and waits until it has ended; nothing when it is not running.
    void Kill()
    {
        process.kill();
        process.waitForFinished(kDeadlineMs);
    }

private:
    quint64 ReadWindowId()
    {
        while (!process.canReadLine() && process.waitForReadyRead(kDeadlineMs)) {
        }
        return process.readLine().trimmed().toULongLong(nullptr, 16);
    }

    QProcess process;
    quint64 window = 0;
    quint64 dialog = 0;
    qint64 pid = 0;
    bool shown = false;
};
