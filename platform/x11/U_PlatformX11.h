#pragma once

#include "platform/U_Platform.h"
#include "platform/x11/U_InstanceGuard.h"
#include "platform/x11/U_ProcessNames.h"
#include "platform/x11/U_WindowProbe.h"

#include <memory>

class TClipboardWatch;

// The platform as an X11 desktop session provides it.
class TPlatformX11 : public TPlatform
{
public:
    TPlatformX11();
    ~TPlatformX11() override;
    TInstanceClaim ClaimFirstInstance(const QString& name, const QString& fallbackFolder) override;
    void ListenForCalls(const QString& name, std::function<void()> onCalled) override;
    bool CallFirstInstance(const QString& name) override;
    QRect ScreenGeometry() const override;
    QRect WorkArea() const override;
    bool HasCompositor() const override;
    bool HasTrayHost() const override;
    void Beep() override;
    QString UserName() const override;
    void SetCursorPos(const QPoint& pos) override;
    bool CursorPos(QPoint& pos) override { return Windows().CursorPos(pos); }
    quint64 WindowFromPoint(const QPoint& pos) override { return Windows().WindowFromPoint(pos); }
    quint64 ForegroundWindow() override { return Windows().ForegroundWindow(); }
    quint64 OwnerWindow(quint64 window) override { return Windows().OwnerWindow(window); }
    QString WindowTitle(quint64 window) override { return Windows().WindowTitle(window); }
    qint64 WindowProcessId(quint64 window) override { return Windows().WindowProcessId(window); }
    QString ProcessExeName(qint64 pid) override { return processes.ExeName(pid); }
    bool WatchClipboard(qint64 maxBytes, std::function<bool()> wanted,
                        std::function<void(const TClipboardText&)> onText) override;
    void StopClipboardWatch() override;

private:
    // Made at the first query: the single-instance claim comes before the X connection.
    TWindowProbe& Windows();

    TInstanceGuard instances;
    std::unique_ptr<TWindowProbe> windows;
    TProcessNames processes;
    std::unique_ptr<TClipboardWatch> clipboard;
};
