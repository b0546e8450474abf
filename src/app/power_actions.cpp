#include "app/power_actions.h"

#include <iterator>

namespace {

enum class Capability : std::uint8_t { None, S3, S4, S5, FastS4 };

struct PowerActionRow {
    const char* function;
    Capability capability;
    // Suspend (SetSuspendState) when exitFlags is 0, else ExitWindowsEx.
    bool hibernate;
    std::uint32_t exitFlags;
    bool notice;
    const wchar_t* notSupported;
    const wchar_t* callFailed;
};

constexpr wchar_t kPrivilegeFailed[] = L"Fail to enable SE_SHUTDOWN_NAME priviledge [Err=%u].\n";

// Indexed by PowerAction.
constexpr PowerActionRow kRows[] = {
    {"DoS3", Capability::S3, false, 0, false, L"Sleep state S3 is not supported [Err=%u].\n",
     L"Fail to enter S3 [Err=%u].\n"},
    {"DoS4", Capability::S4, true, 0, false, L"Sleep state S4 is not supported [Err=%u].\n",
     L"Fail to enter S4 [Err=%u].\n"},
    {"DoS5", Capability::S5, false, kExitPowerOff, false, L"Sleep state S5 is not supported [Err=%u].\n",
     L"Fail to enter S5 [Err=%u].\n"},
    {"DoHybridShutdown", Capability::FastS4, false, kExitHybridShutdown, false,
     L"Sleep state Hybrid is not supported [Err=%u].\n", L"Fail to enter Hybrid [Err=%u].\n"},
    {"DoShutdown", Capability::None, false, kExitShutdown, true, nullptr, L"Fail to enter Shutdown [Err=%u].\n"},
    {"DoReboot", Capability::None, false, kExitReboot, true, nullptr, L"Fail to enter Reboot [Err=%u].\n"},
};
static_assert(std::size(kRows) == static_cast<std::size_t>(PowerAction::Reboot) + 1);

bool Supports(const PowerCapabilities& capabilities, Capability capability) noexcept
{
    switch (capability) {
    case Capability::S3:
        return capabilities.SystemS3;
    case Capability::S4:
        return capabilities.SystemS4;
    case Capability::S5:
        return capabilities.SystemS5;
    case Capability::FastS4:
        return capabilities.FastSystemS4;
    case Capability::None:
        break;
    }
    return true;
}

}  // namespace

int RunPowerAction(PowerAction action, PowerPlatform& platform) noexcept
{
    const auto index = static_cast<std::size_t>(action);
    if (index >= std::size(kRows)) {
        return 1;
    }
    const PowerActionRow& row = kRows[index];

    if (row.capability != Capability::None) {
        const PowerCapabilities capabilities = platform.QueryCapabilities();
        if (!Supports(capabilities, row.capability)) {
            platform.TraceError(row.function, __LINE__, row.notSupported, capabilities.LastError);
            return 1;
        }
    }

    const PlatformCallResult privilege = platform.EnablePrivilege(kShutdownPrivilege);
    if (!privilege.Succeeded) {
        platform.TraceError(row.function, __LINE__, kPrivilegeFailed, privilege.LastError);
        return 1;
    }

    if (row.notice) {
        // Holds the shutdown or reboot back until the notice ends.
        platform.ShowShutdownNotice();
    }

    const PlatformCallResult call = row.exitFlags == 0
                                        ? platform.RequestSuspend(row.hibernate, false, false)
                                        : platform.RequestExitWindows(row.exitFlags, kPlannedShutdownReason);
    if (!call.Succeeded) {
        platform.TraceError(row.function, __LINE__, row.callFailed, call.LastError);
        return 1;
    }
    return 0;
}
