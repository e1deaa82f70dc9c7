#pragma once

#include "platform/U_Platform.h"

#include <QList>
#include <QStringList>

// A scripted platform for tests: answers what the test set and records what was asked.
class TPlatformFake : public TPlatform
{
public:
    TInstanceClaim ClaimFirstInstance(const QString& name, std::function<void()> onCalled) override;
    bool CallFirstInstance(const QString& name) override;
    QRect ScreenGeometry() const override { return screen; }
    QRect WorkArea() const override { return workArea; }
    bool HasCompositor() const override { return compositor; }
    bool HasTrayHost() const override { return trayHost; }
    void Beep() override { ++beeps; }
    QString UserName() const override { return userName; }
    void SetCursorPos(const QPoint& pos) override { cursorMoves.append(pos); }

    TInstanceClaim nextClaim = TInstanceClaim::First;
    bool firstAnswers = true;
    QStringList claimedNames;
    QStringList calledNames;
    std::function<void()> onCalled;
    QRect screen{0, 0, 1024, 768};
    QRect workArea{0, 0, 1024, 738};
    bool compositor = false;
    bool trayHost = true;
    int beeps = 0;
    QString userName = QStringLiteral("testeur");
    QList<QPoint> cursorMoves;
};
