#include "platform/fake/U_PlatformFake.h"

TPlatform::TInstanceClaim TPlatformFake::ClaimFirstInstance(const QString& name,
                                                            std::function<void()> called)
{
    claimedNames.append(name);
    onCalled = std::move(called);
    return nextClaim;
}

bool TPlatformFake::CallFirstInstance(const QString& name)
{
    calledNames.append(name);
    return firstAnswers;
}
