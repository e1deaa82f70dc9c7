#include "platform/x11/U_WindowProbe.h"

namespace {
constexpr int kMaxDepth = 8;
constexpr qsizetype kMaxTitle = 255;
// Frames of closed windows pile up; past this many the cache starts again.
constexpr qsizetype kMaxClients = 256;
// What a query learnt on the way serves only the next query of the same sample.
constexpr qint64 kMemoMs = 50;

QString CutTitle(QString title)
{
    if (title.size() <= kMaxTitle)
        return title;
    title.truncate(kMaxTitle);
    if (title.back().isHighSurrogate())
        title.chop(1);
    return title;
}
} // namespace

bool TWindowProbe::CursorPos(QPoint& pos)
{
    quint64 topLevel = 0;
    if (!x.Pointer(pos, topLevel))
        return false;
    // The same answer names the top-level window under the pointer: the sample's next query.
    pointerPos = pos;
    pointerTopLevel = topLevel;
    pointerAge.start();
    return true;
}

quint64 TWindowProbe::WindowFromPoint(const QPoint& pos)
{
    quint64 topLevel = 0;
    if (!TakePointerTopLevel(pos, topLevel))
        topLevel = x.ChildAt(x.Root(), pos);
    return topLevel ? ClientOf(topLevel, &pos) : 0;
}

quint64 TWindowProbe::ForegroundWindow()
{
    bool present = false;
    const QList<quint64> active = x.Windows(x.Root(), TXAtom::NetActiveWindow, &present);
    if (present)
        return active.value(0);
    // Without a window manager nobody keeps _NET_ACTIVE_WINDOW; the focus tells.
    const quint64 topLevel = TopLevelOf(x.FocusWindow());
    return topLevel ? ClientOf(topLevel, nullptr) : 0;
}

quint64 TWindowProbe::OwnerWindow(quint64 window)
{
    const quint64 owner = x.Windows(window, TXAtom::WmTransientFor).value(0);
    // Some toolkits make a dialog without parent transient for the root window.
    return owner == x.Root() ? 0 : owner;
}

QString TWindowProbe::WindowTitle(quint64 window)
{
    return CutTitle(x.Name(window));
}

qint64 TWindowProbe::WindowProcessId(quint64 window)
{
    if (!window)
        return 0;
    qint64 pid = 0;
    if (TakeCheckedPid(window, pid))
        return pid;
    pid = x.Cardinal(window, TXAtom::NetWmPid);
    return pid > 0 ? pid : x.ResourcePid(window);
}

quint64 TWindowProbe::ClientOf(quint64 topLevel, const QPoint* pos)
{
    const auto found = clients.constFind(topLevel);
    if (found != clients.cend()) {
        const TXClientCheck check = x.CheckClient(found->window, found->parent);
        if (check.inParent) {
            checkedWindow = found->window;
            checkedPid = check.pid;
            checkedAge.start();
            return found->window;
        }
        clients.erase(found);
    }
    const TClient client = FindClient(topLevel, pos);
    // A top-level window without WM_STATE anywhere (no window manager, a menu) is its own
    // answer; it is not remembered, as its client may yet be reparented into it.
    if (!client.window)
        return topLevel;
    if (clients.size() >= kMaxClients)
        clients.clear();
    clients.insert(topLevel, client);
    return client.window;
}

TWindowProbe::TClient TWindowProbe::FindClient(quint64 topLevel, const QPoint* pos) const
{
    if (x.HasProperty(topLevel, TXAtom::WmState))
        return {topLevel, x.Root()};
    if (pos) {
        if (const TClient client = ClientOnChain(topLevel, *pos); client.window)
            return client;
    }
    // A point on the frame's decoration: the client lies under the frame's centre. Never a walk
    // of the frame's children, of which a window manager keeps dozens.
    const QRect frame = x.Geometry(topLevel);
    return frame.isEmpty() ? TClient{} : ClientOnChain(topLevel, frame.center());
}

TWindowProbe::TClient TWindowProbe::ClientOnChain(quint64 topLevel, const QPoint& pos) const
{
    quint64 window = topLevel;
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        const quint64 child = x.ChildAt(window, pos);
        if (!child)
            return {};
        if (x.HasProperty(child, TXAtom::WmState))
            return {child, window};
        window = child;
    }
    return {};
}

quint64 TWindowProbe::TopLevelOf(quint64 window) const
{
    for (int depth = 0; window && depth < kMaxDepth; ++depth) {
        const quint64 parent = x.Parent(window);
        if (parent == x.Root())
            return window;
        window = parent;
    }
    return 0;
}

bool TWindowProbe::TakePointerTopLevel(const QPoint& pos, quint64& topLevel)
{
    const bool fresh = pointerAge.isValid() && !pointerAge.hasExpired(kMemoMs) && pos == pointerPos;
    pointerAge.invalidate();
    topLevel = pointerTopLevel;
    return fresh;
}

bool TWindowProbe::TakeCheckedPid(quint64 window, qint64& pid)
{
    const bool fresh = checkedAge.isValid() && !checkedAge.hasExpired(kMemoMs) &&
                       window == checkedWindow && checkedPid > 0;
    checkedAge.invalidate();
    pid = checkedPid;
    return fresh;
}
