#include "platform/x11/U_PlatformX11.h"

#include "platform/x11/U_ClipboardWatch.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

#include <X11/Xlib.h>

#include <pwd.h>
#include <unistd.h>

namespace {
Display* XDisplay()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

// Whether some client owns the selection `prefix` + screen number.
bool SelectionOwned(const char* prefix)
{
    Display* display = XDisplay();
    if (!display)
        return false;
    const QByteArray name = prefix + QByteArray::number(DefaultScreen(display));
    const Atom selection = XInternAtom(display, name.constData(), False);
    return XGetSelectionOwner(display, selection) != None;
}

} // namespace

TPlatformX11::TPlatformX11()
    : instances(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
                QStandardPaths::writableLocation(QStandardPaths::TempLocation))
{
}

TPlatformX11::~TPlatformX11() = default;

TWindowProbe& TPlatformX11::Windows()
{
    if (!windows)
        windows = std::make_unique<TWindowProbe>();
    return *windows;
}

TPlatform::TInstanceClaim TPlatformX11::ClaimFirstInstance(const QString& name,
                                                           const QString& fallbackFolder)
{
    return instances.Claim(name, fallbackFolder);
}

void TPlatformX11::ListenForCalls(const QString& name, std::function<void()> onCalled)
{
    instances.Listen(name, std::move(onCalled));
}

bool TPlatformX11::CallFirstInstance(const QString& name)
{
    return instances.Call(name);
}

QRect TPlatformX11::ScreenGeometry() const
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

QRect TPlatformX11::WorkArea() const
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : ScreenGeometry();
}

bool TPlatformX11::HasCompositor() const
{
    // A compositing manager owns the _NET_WM_CM_Sn selection of its screen.
    return SelectionOwned("_NET_WM_CM_S");
}

bool TPlatformX11::HasTrayHost() const
{
    return SelectionOwned("_NET_SYSTEM_TRAY_S");
}

void TPlatformX11::Beep()
{
    if (Display* display = XDisplay()) {
        XBell(display, 0);
        XFlush(display);
    }
}

QString TPlatformX11::UserName() const
{
    const passwd* entry = getpwuid(geteuid());
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString();
}

void TPlatformX11::SetCursorPos(const QPoint& pos)
{
    QCursor::setPos(pos);
}

bool TPlatformX11::WatchClipboard(qint64 maxBytes, std::function<bool()> wanted,
                                  std::function<void(const TClipboardText&)> onText)
{
    clipboard = std::make_unique<TClipboardWatch>(maxBytes, std::move(wanted), std::move(onText));
    if (!clipboard->IsValid())
        clipboard.reset();
    return clipboard != nullptr;
}

void TPlatformX11::StopClipboardWatch()
{
    clipboard.reset();
}
