#pragma once

#include "platform/x11/U_XQueries.h"

#include <QElapsedTimer>
#include <QHash>

// The tracer's window queries on X11. The application window under a point is found below its
// top-level frame through the child chain at that point, and remembered per frame; a remembered
// one is checked at each use, so a frame or window id taken over by another window never answers.
class TWindowProbe
{
public:
    bool CursorPos(QPoint& pos);
    quint64 WindowFromPoint(const QPoint& pos);
    // _NET_ACTIVE_WINDOW; without a window manager, the top-level window holding the focus.
    quint64 ForegroundWindow();
    quint64 OwnerWindow(quint64 window);
    QString WindowTitle(quint64 window);
    qint64 WindowProcessId(quint64 window);

private:
    // The window holding WM_STATE below a frame, and its parent when it was found.
    struct TClient
    {
        quint64 window = 0;
        quint64 parent = 0;
    };

    quint64 ClientOf(quint64 topLevel, const QPoint* pos);
    TClient FindClient(quint64 topLevel, const QPoint* pos) const;
    TClient ClientOnChain(quint64 topLevel, const QPoint& pos) const;
    quint64 TopLevelOf(quint64 window) const;
    bool TakePointerTopLevel(const QPoint& pos, quint64& topLevel);
    bool TakeCheckedPid(quint64 window, qint64& pid);

    TXQueries x;
    QHash<quint64, TClient> clients;
    // What the last pointer query and the last check of a remembered client told on the way,
    // for the query that follows them in the same sample.
    QPoint pointerPos;
    quint64 pointerTopLevel = 0;
    QElapsedTimer pointerAge;
    quint64 checkedWindow = 0;
    qint64 checkedPid = 0;
    QElapsedTimer checkedAge;
};
