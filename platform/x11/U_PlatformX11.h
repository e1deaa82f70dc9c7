#pragma once

#include "platform/U_Platform.h"
#include "platform/x11/U_InstanceGuard.h"

// The platform as an X11 desktop session provides it.
class TPlatformX11 : public TPlatform
{
public:
    TPlatformX11();
    TInstanceClaim ClaimFirstInstance(const QString& name, std::function<void()> onCalled) override;
    bool CallFirstInstance(const QString& name) override;
    QRect ScreenGeometry() const override;
    QRect WorkArea() const override;
    bool HasCompositor() const override;
    bool HasTrayHost() const override;
    void Beep() override;
    QString UserName() const override;
    void SetCursorPos(const QPoint& pos) override;

private:
    TInstanceGuard instances;
};
