#pragma once

#include "ToolRun.h"
#include "platform/U_Platform.h"

#include <QPoint>
#include <QProcess>
#include <QRegularExpression>

// Runs `tool` with the space-separated `args` (ids, numbers and names: nothing to quote).
inline QString Tool(const char* tool, const QString& args)
{
    return RunTool(QLatin1String(tool), args.split(QLatin1Char(' ')));
}

// A window's top-left corner on the screen; (-1, -1) once the server no longer knows it.
inline QPoint WindowOrigin(quint64 window)
{
    static const QRegularExpression xy(
        "upper-left X:\\s+(-?\\d+)\\s+Absolute upper-left Y:\\s+(-?\\d+)");
    const QRegularExpressionMatch m =
        xy.match(Tool("xwininfo", QStringLiteral("-id %1").arg(window)));
    return m.hasMatch() ? QPoint(m.captured(1).toInt(), m.captured(2).toInt()) : QPoint(-1, -1);
}

// Moves the pointer to `pos`; the window the probe finds there, asked as a sample asks: the
// pointer's position first. 0 while the pointer is elsewhere.
inline quint64 WindowAt(TPlatform& probe, const QPoint& pos)
{
    Tool("xdotool", QStringLiteral("mousemove %1 %2").arg(pos.x()).arg(pos.y()));
    QPoint at;
    return probe.CursorPos(at) && at == pos ? probe.WindowFromPoint(at) : 0;
}

// A running copy of the test-window helper and the ids of the windows it shows; killed at the end.
struct THelperWindow
{
    explicit THelperWindow(const QString& title, const QString& dialogTitle = {})
    {
        const auto readId = [this] {
            while (!process.canReadLine() && process.waitForReadyRead(kDeadlineMs)) {
            }
            return process.readLine().trimmed().toULongLong(nullptr, 16);
        };
        const auto viewable = [](quint64 id) {
            return !id || Tool("xwininfo", QStringLiteral("-id %1").arg(id)).contains("IsViewable");
        };
        QStringList args{"--title", title};
        if (!dialogTitle.isEmpty())
            args << "--owned-dialog" << dialogTitle;
        process.start(TARVELLE_TESTWINDOW, args);
        pid = process.waitForStarted(kDeadlineMs) ? process.processId() : 0;
        window = pid ? readId() : 0;
        dialog = window && !dialogTitle.isEmpty() ? readId() : 0;
        shown = window && (dialogTitle.isEmpty() || dialog) &&
                WaitUntil([&] { return viewable(window) && viewable(dialog); });
    }
    ~THelperWindow()
    {
        process.kill();
        process.waitForFinished(kDeadlineMs);
    }

    QProcess process;
    quint64 window = 0, dialog = 0;
    qint64 pid = 0;
    bool shown = false; // the helper printed its ids and its windows are mapped
};
