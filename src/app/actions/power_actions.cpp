#include "app/actions/power_actions.h"

#include "app/actions/shutdown_notice.h"

namespace {

enum class PowerCall { Sleep, Hibernate, ExitWindows };

// What one power action does: the capability that it needs (none for
// shutdown and reboot), whether the notice comes first, and its one power
// call, SetSuspendState or ExitWindowsEx with its flags.
struct PowerAction {
    bool PowerCapabilities::*capability;   // null: nothing to test
    const wchar_t* notSupported;
    bool notice;
    PowerCall call;
    std::uint32_t exitFlags;
    const wchar_t* callFailed;
};

constexpr PowerAction kS3{&PowerCapabilities::SystemS3, L"Sleep state S3 is not supported [Err=%u].\n", false,
                        PowerCall::Sleep, 0, L"Fail to enter S3 [Err=%u].\n"};
constexpr PowerAction kS4{&PowerCapabilities::SystemS4, L"Sleep state S4 is not supported [Err=%u].\n", false,
                        PowerCall::Hibernate, 0, L"Fail to enter S4 [Err=%u].\n"};
constexpr PowerAction kS5{&PowerCapabilities::SystemS5, L"Sleep state S5 is not supported [Err=%u].\n", false,
                        PowerCall::ExitWindows, kExitPowerOff, L"Fail to enter S5 [Err=%u].\n"};
constexpr PowerAction kHybrid{&PowerCapabilities::FastSystemS4, L"Sleep state Hybrid is not supported [Err=%u].\n",
                            false, PowerCall::ExitWindows, kExitHybridShutdown, L"Fail to enter Hybrid [Err=%u].\n"};
constexpr PowerAction kShutdown{nullptr, nullptr, true, PowerCall::ExitWindows, kExitShutdown,
                              L"Fail to enter Shutdown [Err=%u].\n"};
constexpr PowerAction kReboot{nullptr, nullptr, true, PowerCall::ExitWindows, kExitReboot,
                            L"Fail to enter Reboot [Err=%u].\n"};

constexpr wchar_t kPrivilegeFailed[] = L"Fail to enable SE_SHUTDOWN_NAME priviledge [Err=%u].\n";

// The action that runs the steps, by its own name and the line of its call,
// which its records carry.
struct Caller {
    const char* function;
    int line;
};
#define ORVEX_CALLER Caller{__func__, __LINE__}

// Runs the steps of one action: the capability test, the shutdown
// privilege, the notice (held until it ends) and the power call. Gives the
// exit code, writing one ERROR record for the step that failed.
int RunPowerAction(const PowerAction& action, Caller caller, PowerPlatform& platform, ErrorTrace& trace,
                   BoxShower* box = nullptr, std::uint32_t showMsg = 0) noexcept
{
    const auto failed = [&](const wchar_t* format, std::uint32_t lastError) {
        trace.TraceError(caller.function, caller.line, format, lastError);
        return 1;
    };
    if (action.capability != nullptr) {
        const PowerCapabilities capabilities = platform.QueryCapabilities();
        if (!(capabilities.*action.capability)) {
            return failed(action.notSupported, capabilities.LastError);
        }
    }
    if (const PlatformCallResult privilege = platform.EnablePrivilege(kShutdownPrivilege); !privilege.Succeeded) {
        return failed(kPrivilegeFailed, privilege.LastError);
    }
    if (action.notice && box != nullptr) {
        PresentShutdownNotice(showMsg, platform, *box);
    }
    const bool exit = action.call == PowerCall::ExitWindows;
    const PlatformCallResult call = exit ? platform.RequestExitWindows(action.exitFlags, kPlannedShutdownReason)
                                         : platform.RequestSuspend(action.call == PowerCall::Hibernate, false, false);
    return call.Succeeded ? 0 : failed(action.callFailed, call.LastError);
}

}  // namespace

int DoS3(PowerPlatform& platform, ErrorTrace& trace) noexcept
{
    return RunPowerAction(kS3, ORVEX_CALLER, platform, trace);
}

int DoS4(PowerPlatform& platform, ErrorTrace& trace) noexcept
{
    return RunPowerAction(kS4, ORVEX_CALLER, platform, trace);
}

int DoS5(PowerPlatform& platform, ErrorTrace& trace) noexcept
{
    return RunPowerAction(kS5, ORVEX_CALLER, platform, trace);
}

int DoHybridShutdown(PowerPlatform& platform, ErrorTrace& trace) noexcept
{
    return RunPowerAction(kHybrid, ORVEX_CALLER, platform, trace);
}

int DoShutdown(PowerPlatform& platform, BoxShower& box, ErrorTrace& trace, std::uint32_t showMsg) noexcept
{
    return RunPowerAction(kShutdown, ORVEX_CALLER, platform, trace, &box, showMsg);
}

int DoReboot(PowerPlatform& platform, BoxShower& box, ErrorTrace& trace, std::uint32_t showMsg) noexcept
{
    return RunPowerAction(kReboot, ORVEX_CALLER, platform, trace, &box, showMsg);
}
