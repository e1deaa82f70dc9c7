#pragma once

#include "core/U_Clock.h"

// A clock that stands still until the test moves it.
class TFakeClock : public TClock
{
public:
    explicit TFakeClock(QDateTime start = QDateTime(QDate(2026, 12, 7), QTime(9, 30, 0)))
        : now(std::move(start))
    {
    }
    QDateTime Now() const override { return now; }
    void Set(const QDateTime& at) { now = at; }
    void AdvanceSeconds(qint64 seconds) { now = now.addSecs(seconds); }
    void AdvanceMs(qint64 ms) { now = now.addMSecs(ms); }

private:
    QDateTime now;
};
