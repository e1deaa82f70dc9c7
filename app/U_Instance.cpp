#include "app/U_Instance.h"

#include "app/U_Constantes.h"
#include "platform/U_Platform.h"

bool EnsureSingleInstance(std::function<void()> comeForward)
{
    switch (Platform().ClaimFirstInstance(Constantes::InstanceLockName, std::move(comeForward))) {
    case TPlatform::TInstanceClaim::AlreadyRunning:
        Platform().CallFirstInstance(Constantes::InstanceLockName);
        return false;
    case TPlatform::TInstanceClaim::First:
    case TPlatform::TInstanceClaim::Unavailable:
        break;
    }
    return true;
}
