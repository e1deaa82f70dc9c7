#include "platform/x11/U_XQueries.h"

#include <QGuiApplication>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XRes.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace {
constexpr int kAtomCount = static_cast<int>(TXAtom::Count);
// Enough 32-bit units for 255 characters of four UTF-8 bytes.
constexpr long kNameUnits = 256;

Display* Dpy(void* display)
{
    return static_cast<Display*>(display);
}

int swallowedErrors = 0;

int SwallowError(Display*, XErrorEvent*)
{
    ++swallowedErrors;
    return 0;
}

// Holds our handler for the requests of one query: Qt's handler would print every BadWindow of
// a window that just vanished, and Xlib's default one would end the program.
class TErrorTrap
{
public:
    TErrorTrap() : previous(XSetErrorHandler(SwallowError)) {}
    ~TErrorTrap() { XSetErrorHandler(previous); }
    TErrorTrap(const TErrorTrap&) = delete;
    TErrorTrap& operator=(const TErrorTrap&) = delete;

private:
    XErrorHandler previous;
};

struct TXFree
{
    void operator()(void* data) const
    {
        if (data)
            XFree(data);
    }
};
template <typename T> using TXPtr = std::unique_ptr<T, TXFree>;

// One property's value as Xlib returns it.
struct TProperty
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    TXPtr<unsigned char> data;
};

TProperty ReadProperty(Display* display, Window window, Atom property, long units, Atom type)
{
    TProperty result;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const TErrorTrap trap;
    if (XGetWindowProperty(display, window, property, 0, units, False, type, &result.type,
                           &result.format, &result.count, &after, &data) != Success)
        return {};
    result.data.reset(data);
    return result;
}

// Atoms are the display's for the whole run: interned once, in one round trip.
const quint32* InternAtoms(Display* display)
{
    static std::array<quint32, kAtomCount> ids{};
    static bool interned = false;
    if (interned)
        return ids.data();
    std::array<char*, kAtomCount> names{
        const_cast<char*>("WM_STATE"),           const_cast<char*>("WM_TRANSIENT_FOR"),
        const_cast<char*>("_NET_ACTIVE_WINDOW"), const_cast<char*>("_NET_WM_PID"),
        const_cast<char*>("_NET_WM_NAME"),       const_cast<char*>("UTF8_STRING")};
    std::array<Atom, kAtomCount> atoms{};
    if (!XInternAtoms(display, names.data(), kAtomCount, False, atoms.data()))
        return nullptr;
    for (int i = 0; i < kAtomCount; ++i)
        ids[static_cast<size_t>(i)] = static_cast<quint32>(atoms[static_cast<size_t>(i)]);
    interned = true;
    return ids.data();
}

// An XCB reply, or null when the request failed; its error is dropped.
template <typename Reply> using TXcbPtr = std::unique_ptr<Reply, decltype(&std::free)>;
template <typename Reply, typename Cookie>
TXcbPtr<Reply> TakeReply(xcb_connection_t* connection, Cookie cookie,
                         Reply* (*fetch)(xcb_connection_t*, Cookie, xcb_generic_error_t**))
{
    xcb_generic_error_t* error = nullptr;
    Reply* reply = fetch(connection, cookie, &error);
    std::free(error);
    return TXcbPtr<Reply>(reply, &std::free);
}

// WM_NAME may be COMPOUND_TEXT; Xlib converts that with the locale's help.
QString CompoundText(Display* display, const TProperty& property)
{
    XTextProperty text{property.data.get(), property.type, property.format, property.count};
    char** list = nullptr;
    int count = 0;
    if (Xutf8TextPropertyToTextList(display, &text, &list, &count) < Success || !list)
        return {};
    const QString result = count > 0 ? QString::fromUtf8(list[0]) : QString();
    XFreeStringList(list);
    return result;
}
} // namespace

TXQueries::TXQueries()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* xDisplay = x11 ? x11->display() : nullptr;
    if (!xDisplay)
        return;
    display = xDisplay;
    connection = x11->connection();
    root = DefaultRootWindow(xDisplay);
}

const quint32* TXQueries::Atoms() const
{
    // Interned at the first query that needs them rather than at start, where the round trip
    // would hold back the showing of the main window for the tracer's sake.
    return display ? InternAtoms(Dpy(display)) : nullptr;
}

bool TXQueries::Pointer(QPoint& pos, quint64& topLevel) const
{
    if (!display)
        return false;
    Window rootReturn = None, child = None;
    int x = 0, y = 0, windowX = 0, windowY = 0;
    unsigned int mask = 0;
    const TErrorTrap trap;
    if (!XQueryPointer(Dpy(display), root, &rootReturn, &child, &x, &y, &windowX, &windowY, &mask))
        return false; // the pointer is on another screen
    pos = QPoint(x, y);
    topLevel = child;
    return true;
}

quint64 TXQueries::ChildAt(quint64 window, const QPoint& rootPos) const
{
    if (!display || !window)
        return 0;
    int x = 0, y = 0;
    Window child = None;
    const TErrorTrap trap;
    if (!XTranslateCoordinates(Dpy(display), root, window, rootPos.x(), rootPos.y(), &x, &y,
                               &child))
        return 0;
    return child;
}

quint64 TXQueries::Parent(quint64 window, QList<quint64>* children) const
{
    if (!display || !window)
        return 0;
    Window rootReturn = None, parent = None;
    Window* list = nullptr;
    unsigned int count = 0;
    const TErrorTrap trap;
    if (!XQueryTree(Dpy(display), window, &rootReturn, &parent, &list, &count))
        return 0;
    const TXPtr<Window> owned(list);
    if (children)
        *children = QList<quint64>(list, list + count);
    return parent;
}

QRect TXQueries::Geometry(quint64 window) const
{
    if (!display || !window)
        return {};
    Window rootReturn = None;
    int x = 0, y = 0;
    unsigned int width = 0, height = 0, border = 0, depth = 0;
    const TErrorTrap trap;
    if (!XGetGeometry(Dpy(display), window, &rootReturn, &x, &y, &width, &height, &border, &depth))
        return {};
    return QRect(x, y, static_cast<int>(width), static_cast<int>(height));
}

bool TXQueries::HasProperty(quint64 window, TXAtom atom) const
{
    const quint32* atoms = Atoms();
    if (!atoms || !window)
        return false;
    return ReadProperty(Dpy(display), window, atoms[static_cast<int>(atom)], 0, AnyPropertyType)
               .type != None;
}

QList<quint64> TXQueries::Windows(quint64 window, TXAtom atom, bool* present) const
{
    TProperty property;
    if (const quint32* atoms = Atoms(); atoms && window)
        property =
            ReadProperty(Dpy(display), window, atoms[static_cast<int>(atom)], 4096, XA_WINDOW);
    if (present)
        *present = property.type != None;
    if (property.type != XA_WINDOW || property.format != 32)
        return {};
    // Format 32 data comes as longs, whatever their size.
    const auto* ids = reinterpret_cast<const unsigned long*>(property.data.get());
    return QList<quint64>(ids, ids + property.count);
}

qint64 TXQueries::Cardinal(quint64 window, TXAtom atom) const
{
    const quint32* atoms = Atoms();
    if (!atoms || !window)
        return 0;
    const TProperty property =
        ReadProperty(Dpy(display), window, atoms[static_cast<int>(atom)], 1, XA_CARDINAL);
    if (property.type != XA_CARDINAL || property.format != 32 || property.count < 1)
        return 0;
    return static_cast<qint64>(*reinterpret_cast<const unsigned long*>(property.data.get()));
}

QString TXQueries::Name(quint64 window) const
{
    const quint32* atoms = Atoms();
    if (!atoms || !window)
        return {};
    const Atom utf8 = atoms[static_cast<int>(TXAtom::Utf8String)];
    TProperty name = ReadProperty(Dpy(display), window, atoms[static_cast<int>(TXAtom::NetWmName)],
                                  kNameUnits, utf8);
    if (name.type != utf8)
        name = ReadProperty(Dpy(display), window, XA_WM_NAME, kNameUnits, AnyPropertyType);
    if (name.format != 8 || !name.data)
        return {};
    const auto* bytes = reinterpret_cast<const char*>(name.data.get());
    const auto size = static_cast<qsizetype>(name.count);
    if (name.type == utf8)
        return QString::fromUtf8(bytes, size);
    if (name.type == XA_STRING)
        return QString::fromLatin1(bytes, size);
    return CompoundText(Dpy(display), name);
}

qint64 TXQueries::ResourcePid(quint64 window) const
{
    int event = 0, error = 0;
    if (!display || !window || !XResQueryExtension(Dpy(display), &event, &error))
        return 0;
    XResClientIdSpec wanted{window, XRES_CLIENT_ID_PID_MASK};
    long count = 0;
    XResClientIdValue* values = nullptr;
    const TErrorTrap trap;
    if (XResQueryClientIds(Dpy(display), 1, &wanted, &count, &values) != Success)
        return 0;
    qint64 pid = 0;
    for (long i = 0; i < count && pid <= 0; ++i)
        pid = XResGetClientPid(&values[i]);
    XResClientIdsDestroy(count, values);
    return pid > 0 ? pid : 0;
}

quint64 TXQueries::FocusWindow() const
{
    if (!display)
        return 0;
    Window focus = None;
    int revert = 0;
    const TErrorTrap trap;
    XGetInputFocus(Dpy(display), &focus, &revert);
    return focus == PointerRoot ? 0 : focus;
}

TXClientCheck TXQueries::CheckClient(quint64 client, quint64 parent) const
{
    TXClientCheck result;
    const quint32* atoms = Atoms();
    if (!atoms || !client)
        return result;
    auto* xcb = static_cast<xcb_connection_t*>(connection);
    const auto window = static_cast<xcb_window_t>(client);
    // Three requests sent before the first answer is awaited: one round trip, not three.
    const auto tree = xcb_query_tree(xcb, window);
    const auto state = xcb_get_property(xcb, 0, window, atoms[static_cast<int>(TXAtom::WmState)],
                                        XCB_GET_PROPERTY_TYPE_ANY, 0, 0);
    const auto pid = xcb_get_property(xcb, 0, window, atoms[static_cast<int>(TXAtom::NetWmPid)],
                                      XCB_ATOM_CARDINAL, 0, 1);
    const auto treeReply = TakeReply(xcb, tree, &xcb_query_tree_reply);
    const auto stateReply = TakeReply(xcb, state, &xcb_get_property_reply);
    const auto pidReply = TakeReply(xcb, pid, &xcb_get_property_reply);
    result.inParent =
        treeReply && treeReply->parent == parent && stateReply && stateReply->type != XCB_ATOM_NONE;
    if (pidReply && pidReply->type == XCB_ATOM_CARDINAL && pidReply->format == 32 &&
        xcb_get_property_value_length(pidReply.get()) >= 4)
        result.pid = *static_cast<const quint32*>(xcb_get_property_value(pidReply.get()));
    return result;
}
