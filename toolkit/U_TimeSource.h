#pragma once

#include <QDateTime>

#include <functional>

// The clock every toolkit control reads; the program installs its own, tests a fake one.
class TTimeSource
{
public:
    using TNow = std::function<QDateTime()>;

    static QDateTime Now();
    // Installs `now` for the whole process; an empty function brings the system clock back.
    static void Set(TNow now);
};
