#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

// The X properties and atoms the window queries read.
enum class TXAtom
{
    WmState,
    WmTransientFor,
    NetActiveWindow,
    NetWmPid,
    NetWmName,
    Utf8String,
    Count
};

// What one round trip tells of a remembered client window (see TXQueries::CheckClient).
struct TXClientCheck
{
    bool inParent = false; // it exists, holds WM_STATE and is still a child of that parent
    qint64 pid = 0;        // its _NET_WM_PID, 0 when it has none
};

// Single X requests on Qt's display, each answering empty instead of failing: an X error (a
// window that vanished meanwhile) is swallowed, never shown to Qt's handler.
class TXQueries
{
public:
    TXQueries();
    bool IsValid() const { return display != nullptr; }
    quint64 Root() const { return root; }
    // The pointer on the screen and the top-level window holding it (0 for the bare root).
    bool Pointer(QPoint& pos, quint64& topLevel) const;
    // The child of `window` that holds the screen point, 0 when none does.
    quint64 ChildAt(quint64 window, const QPoint& rootPos) const;
    // The parent of `window` (0 when it does not exist), and its children bottom to top.
    quint64 Parent(quint64 window, QList<quint64>* children = nullptr) const;
    // The window's rectangle in its parent's coordinates (the screen's for a top-level one).
    QRect Geometry(quint64 window) const;
    bool HasProperty(quint64 window, TXAtom atom) const;
    // The window ids of a WINDOW property; `present` tells whether the property exists.
    QList<quint64> Windows(quint64 window, TXAtom atom, bool* present = nullptr) const;
    qint64 Cardinal(quint64 window, TXAtom atom) const;
    // _NET_WM_NAME, else WM_NAME, in full (at most 1024 bytes are read).
    QString Name(quint64 window) const;
    // The process id the X server knows for the client owning `window` (X-Resource), or 0.
    qint64 ResourcePid(quint64 window) const;
    quint64 FocusWindow() const;
    // In one round trip: whether `client` still sits in `parent` with WM_STATE, and its pid.
    TXClientCheck CheckClient(quint64 client, quint64 parent) const;

private:
    const quint32* Atoms() const; // indexed by TXAtom; null when they cannot be had

    void* display = nullptr;    // Xlib's Display, which no header may name
    void* connection = nullptr; // the same connection as XCB sees it
    quint64 root = 0;
};
