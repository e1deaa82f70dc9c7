#include "platform/U_Platform.h"

#include <stdexcept>

namespace {
std::unique_ptr<TPlatform>& Current()
{
    static std::unique_ptr<TPlatform> current;
    return current;
}
} // namespace

TPlatform& Platform()
{
    if (!Current())
        throw std::logic_error("no platform installed");
    return *Current();
}

void SetPlatform(std::unique_ptr<TPlatform> platform)
{
    Current() = std::move(platform);
}
