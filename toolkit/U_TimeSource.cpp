#include "U_TimeSource.h"

namespace {
TTimeSource::TNow& Installed()
{
    static TTimeSource::TNow now;
    return now;
}
} // namespace

QDateTime TTimeSource::Now()
{
    const TNow& now = Installed();
    return now ? now() : QDateTime::currentDateTime();
}

void TTimeSource::Set(TNow now)
{
    Installed() = std::move(now);
}
