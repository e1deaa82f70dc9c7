#include "core/U_Clock.h"

#include "toolkit/U_TimeSource.h"

namespace {
std::shared_ptr<TClock>& Current()
{
    static std::shared_ptr<TClock> current = std::make_shared<TSystemClock>();
    return current;
}
} // namespace

QDateTime Now()
{
    return Current()->Now();
}

void SetClock(std::shared_ptr<TClock> clock)
{
    Current() = clock ? std::move(clock) : std::make_shared<TSystemClock>();
    // The controls read the same clock as the rest of the program.
    TTimeSource::Set([]() { return Now(); });
}
