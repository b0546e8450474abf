// The power-state actions on this machine's platform.
#include "app/power_actions.h"

#include "app/win32/actions.h"
#include "app/win32/power_platform.h"

namespace {

int Run(PowerAction action) noexcept
{
    Win32PowerPlatform platform;
    return RunPowerAction(action, platform);
}

}  // namespace

int DoS3() noexcept
{
    return Run(PowerAction::S3);
}

int DoS4() noexcept
{
    return Run(PowerAction::S4);
}

int DoS5() noexcept
{
    return Run(PowerAction::S5);
}

int DoHybridShutdown() noexcept
{
    return Run(PowerAction::Hybrid);
}

int DoShutdown() noexcept
{
    return Run(PowerAction::Shutdown);
}

int DoReboot() noexcept
{
    return Run(PowerAction::Reboot);
}
