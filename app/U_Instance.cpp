#include "app/U_Instance.h"

#include "core/U_Constantes.h"
#include "core/U_Glb.h"
#include "platform/U_Platform.h"

bool EnsureSingleInstance()
{
    switch (Platform().ClaimFirstInstance(Constantes::InstanceLockName, AppFolder())) {
    case TPlatform::TInstanceClaim::AlreadyRunning:
        Platform().CallFirstInstance(Constantes::InstanceLockName);
        return false;
    case TPlatform::TInstanceClaim::First:
    case TPlatform::TInstanceClaim::Unavailable:
        break;
    }
    return true;
}

void ListenForLaterCopies(std::function<void()> comeForward)
{
    Platform().ListenForCalls(Constantes::InstanceLockName, std::move(comeForward));
}
