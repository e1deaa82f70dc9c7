#include "platform/x11/U_XSelection.h"

#include <QGuiApplication>

#include <X11/Xatom.h>
#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdlib>
#include <iterator>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

namespace {
Display* Dpy(void* display)
{
    return static_cast<Display*>(display);
}

struct TXFree
{
    void operator()(unsigned char* data) const
    {
        if (data)
            XFree(data);
    }
};

// XFixes' selection notice as the server sends it.
struct TFixesSelectionNotify
{
    quint8 type;
    quint8 subtype;
    quint16 sequence;
    quint32 window;
    quint32 owner;
    quint32 selection;
    quint32 timestamp;
    quint32 selectionTimestamp;
};

struct TFreeEvent
{
    void operator()(xcb_generic_event_t* event) const { std::free(event); }
};

// The display Qt shows the windows on; $DISPLAY when Qt runs on another platform.
QByteArray QtDisplayName()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 && x11->display() ? QByteArray(DisplayString(x11->display())) : QByteArray();
}

constexpr const char* kNames[] = {"CLIPBOARD",
                                  "TARGETS",
                                  "INCR",
                                  "UTF8_STRING",
                                  "text/plain;charset=utf-8",
                                  "STRING",
                                  "x-kde-passwordManagerHint"};
static_assert(std::size(kNames) == static_cast<size_t>(TXName::Count));
} // namespace

TXSelection::TXSelection()
{
    if (!Open() && display) {
        XCloseDisplay(Dpy(display));
        display = nullptr;
    }
}

TXSelection::~TXSelection()
{
    if (!display)
        return;
    if (window)
        XDestroyWindow(Dpy(display), window);
    XCloseDisplay(Dpy(display));
}

bool TXSelection::Open()
{
    const QByteArray name = QtDisplayName();
    display = XOpenDisplay(name.isEmpty() ? nullptr : name.constData());
    int errorBase = 0;
    if (!display || !XFixesQueryExtension(Dpy(display), &fixesEventBase, &errorBase))
        return false;
    Display* dpy = Dpy(display);
    // Events are taken from XCB: Xlib's own queue may keep an event back after the socket was
    // read, so that the socket notifier never fires for it.
    XSetEventQueueOwner(dpy, XCBOwnsEventQueue);
    // Atoms live as long as the display; all of them in one round trip.
    QList<QByteArray> atomNames(std::begin(kNames), std::end(kNames));
    for (int i = 0; i < kPropertyCount; ++i)
        atomNames.append("TARVELLE_CLIPBOARD_" + QByteArray::number(i));
    std::vector<char*> pointers;
    for (QByteArray& atomName : atomNames)
        pointers.push_back(atomName.data());
    std::vector<Atom> atoms(pointers.size());
    if (!XInternAtoms(dpy, pointers.data(), static_cast<int>(pointers.size()), False, atoms.data()))
        return false;
    for (size_t i = 0; i < names.size(); ++i)
        names[i] = static_cast<quint32>(atoms[i]);
    for (int i = 0; i < kPropertyCount; ++i)
        properties[i] = static_cast<quint32>(atoms[names.size() + i]);
    const Window created = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), -1, -1, 1, 1, 0, 0, 0);
    XSelectInput(dpy, created, PropertyChangeMask);
    XFixesSelectSelectionInput(dpy, created, Name(TXName::Clipboard),
                               XFixesSetSelectionOwnerNotifyMask);
    XFlush(dpy);
    window = created;
    return true;
}

int TXSelection::FileDescriptor() const
{
    return display ? xcb_get_file_descriptor(XGetXCBConnection(Dpy(display))) : -1;
}

void TXSelection::Convert(quint32 target, quint32 property, quint64 time)
{
    XConvertSelection(Dpy(display), Name(TXName::Clipboard), target, property, window, time);
}

TXPropertyValue TXSelection::Read(quint32 property, qint64 maxBytes)
{
    TXPropertyValue value;
    Atom type = None;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(Dpy(display), window, property, 0, (maxBytes + 3) / 4, False,
                           AnyPropertyType, &type, &value.format, &count, &after, &data) != Success)
        return {};
    const std::unique_ptr<unsigned char, TXFree> owned(data);
    value.type = static_cast<quint32>(type);
    value.bytesAfter = static_cast<qint64>(after);
    if (!data || count == 0)
        return value;
    if (value.format == 32) {
        // Xlib hands 32-bit items over as longs.
        const auto* items = reinterpret_cast<const long*>(data);
        for (unsigned long i = 0; i < count; ++i) {
            const auto item = static_cast<quint32>(items[i]);
            value.bytes.append(reinterpret_cast<const char*>(&item), sizeof item);
        }
    } else {
        value.bytes = QByteArray(reinterpret_cast<const char*>(data),
                                 static_cast<qsizetype>(count * (value.format / 8)));
    }
    return value;
}

void TXSelection::Delete(quint32 property)
{
    XDeleteProperty(Dpy(display), window, property);
}

bool TXSelection::Next(TXSelectionEvent& event)
{
    if (!display)
        return false;
    const std::unique_ptr<xcb_generic_event_t, TFreeEvent> x(
        xcb_poll_for_event(XGetXCBConnection(Dpy(display))));
    if (!x)
        return false;
    event = {};
    const int type = x->response_type & 0x7f;
    if (type == fixesEventBase + XFixesSelectionNotify) {
        const auto* fixes = reinterpret_cast<const TFixesSelectionNotify*>(x.get());
        event.kind = TXSelectionEvent::TKind::OwnerChanged;
        event.owner = fixes->owner;
        event.time = fixes->selectionTimestamp;
    } else if (type == XCB_SELECTION_NOTIFY) {
        const auto* notify = reinterpret_cast<const xcb_selection_notify_event_t*>(x.get());
        if (notify->requestor == window) {
            event.kind = TXSelectionEvent::TKind::Converted;
            event.target = notify->target;
            event.property = notify->property;
            event.time = notify->time;
        }
    } else if (type == XCB_PROPERTY_NOTIFY) {
        const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(x.get());
        if (notify->window == window && notify->state == XCB_PROPERTY_NEW_VALUE) {
            event.kind = TXSelectionEvent::TKind::PropertyNew;
            event.property = notify->atom;
        }
    }
    return true;
}

void TXSelection::Flush()
{
    if (display)
        XFlush(Dpy(display));
}
