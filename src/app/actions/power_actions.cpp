#include "app/actions/power_actions.h"

#include "app/actions/shutdown_notice.h"

namespace {

constexpr wchar_t kPrivilegeFailed[] = L"Fail to enable SE_SHUTDOWN_NAME priviledge [Err=%u].\n";

// Writes the failed step's record and gives the action's exit code.
int Failed(PowerPlatform& platform, const char* action, int line, const wchar_t* format,
           std::uint32_t lastError) noexcept
{
    platform.TraceError(action, line, format, lastError);
    return 1;
}

}  // namespace

// Every step reports itself with __func__ and __LINE__, so that a record
// names the action and the step that failed.

int DoS3(PowerPlatform& platform) noexcept
{
    const PowerCapabilities capabilities = platform.QueryCapabilities();
    if (!capabilities.SystemS3) {
        return Failed(platform, __func__, __LINE__, L"Sleep state S3 is not supported [Err=%u].\n",
                      capabilities.LastError);
    }
    if (const PlatformCallResult privilege = platform.EnablePrivilege(kShutdownPrivilege); !privilege.Succeeded) {
        return Failed(platform, __func__, __LINE__, kPrivilegeFailed, privilege.LastError);
    }
    if (const PlatformCallResult call = platform.RequestSuspend(false, false, false); !call.Succeeded) {
        return Failed(platform, __func__, __LINE__, L"Fail to enter S3 [Err=%u].\n", call.LastError);
    }
    return 0;
}

int DoS4(PowerPlatform& platform) noexcept
{
    const PowerCapabilities capabilities = platform.QueryCapabilities();
    if (!capabilities.SystemS4) {
        return Failed(platform, __func__, __LINE__, L"Sleep state S4 is not supported [Err=%u].\n",
                      capabilities.LastError);
    }
    if (const PlatformCallResult privilege = platform.EnablePrivilege(kShutdownPrivilege); !privilege.Succeeded) {
        return Failed(platform, __func__, __LINE__, kPrivilegeFailed, privilege.LastError);
    }
    if (const PlatformCallResult call = platform.RequestSuspend(true, false, false); !call.Succeeded) {
        return Failed(platform, __func__, __LINE__, L"Fail to enter S4 [Err=%u].\n", call.LastError);
    }
    return 0;
}

int DoS5(PowerPlatform& platform) noexcept
{
    const PowerCapabilities capabilities = platform.QueryCapabilities();
    if (!capabilities.SystemS5) {
        return Failed(platform, __func__, __LINE__, L"Sleep state S5 is not supported [Err=%u].\n",
                      capabilities.LastError);
    }
    if (const PlatformCallResult privilege = platform.EnablePrivilege(kShutdownPrivilege); !privilege.Succeeded) {
        return Failed(platform, __func__, __LINE__, kPrivilegeFailed, privilege.LastError);
    }
    if (const PlatformCallResult call = platform.RequestExitWindows(kExitPowerOff, kPlannedShutdownReason);
        !call.Succeeded) {
        return Failed(platform, __func__, __LINE__, L"Fail to enter S5 [Err=%u].\n", call.LastError);
    }
    return 0;
}

int DoHybridShutdown(PowerPlatform& platform) noexcept
{
    const PowerCapabilities capabilities = platform.QueryCapabilities();
    if (!capabilities.FastSystemS4) {
        return Failed(platform, __func__, __LINE__, L"Sleep state Hybrid is not supported [Err=%u].\n",
                      capabilities.LastError);
    }
    if (const PlatformCallResult privilege = platform.EnablePrivilege(kShutdownPrivilege); !privilege.Succeeded) {
        return Failed(platform, __func__, __LINE__, kPrivilegeFailed, privilege.LastError);
    }
    if (const PlatformCallResult call = platform.RequestExitWindows(kExitHybridShutdown, kPlannedShutdownReason);
        !call.Succeeded) {
        return Failed(platform, __func__, __LINE__, L"Fail to enter Hybrid [Err=%u].\n", call.LastError);
    }
    return 0;
}

int DoShutdown(PowerPlatform& platform, BoxShower& box, std::uint32_t showMsg) noexcept
{
    if (const PlatformCallResult privilege = platform.EnablePrivilege(kShutdownPrivilege); !privilege.Succeeded) {
        return Failed(platform, __func__, __LINE__, kPrivilegeFailed, privilege.LastError);
    }
    // Holds the shutdown back until the notice ends.
    PresentShutdownNotice(showMsg, platform, box);
    if (const PlatformCallResult call = platform.RequestExitWindows(kExitShutdown, kPlannedShutdownReason);
        !call.Succeeded) {
        return Failed(platform, __func__, __LINE__, L"Fail to enter Shutdown [Err=%u].\n", call.LastError);
    }
    return 0;
}

int DoReboot(PowerPlatform& platform, BoxShower& box, std::uint32_t showMsg) noexcept
{
    if (const PlatformCallResult privilege = platform.EnablePrivilege(kShutdownPrivilege); !privilege.Succeeded) {
        return Failed(platform, __func__, __LINE__, kPrivilegeFailed, privilege.LastError);
    }
    PresentShutdownNotice(showMsg, platform, box);
    if (const PlatformCallResult call = platform.RequestExitWindows(kExitReboot, kPlannedShutdownReason);
        !call.Succeeded) {
        return Failed(platform, __func__, __LINE__, L"Fail to enter Reboot [Err=%u].\n", call.LastError);
    }
    return 0;
}
