#pragma once

#include <QDateTime>

#include <memory>

// The time source of the whole program; tests install one they can set and advance.
class TClock
{
public:
    virtual ~TClock() = default;
    virtual QDateTime Now() const = 0;
};

// Local wall-clock time, to the millisecond.
class TSystemClock : public TClock
{
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
};

QDateTime Now();
// Installs `clock` for the whole program, the controls included; null brings the system
// clock back.
void SetClock(std::shared_ptr<TClock> clock);
