#include "app/win32/power_platform.h"

#include <windows.h>

#include <powrprof.h>

#include "app/win32/enable_privilege.h"
#include "app/win32/shutdown_notice.h"
#include "app/win32/trace_log.h"

static_assert(kExitPowerOff == (EWX_POWEROFF | EWX_FORCE));
static_assert(kExitHybridShutdown == (EWX_HYBRID_SHUTDOWN | EWX_SHUTDOWN | EWX_FORCE));
static_assert(kExitShutdown == (EWX_SHUTDOWN | EWX_FORCE));
static_assert(kExitReboot == (EWX_REBOOT | EWX_FORCE));
static_assert(kPlannedShutdownReason ==
              (SHTDN_REASON_FLAG_PLANNED | SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER));

namespace {

PlatformCallResult ResultOf(BOOL succeeded) noexcept
{
    if (succeeded) {
        return {true, 0};
    }
    return {false, GetLastError()};
}

}  // namespace

PowerCapabilities Win32PowerPlatform::QueryCapabilities() noexcept
{
    SYSTEM_POWER_CAPABILITIES record = {};
    // A failed query leaves the record cleared: nothing is supported.
    static_cast<void>(GetPwrCapabilities(&record));
    const DWORD error = GetLastError();
    return {record.SystemS3 != FALSE, record.SystemS4 != FALSE, record.SystemS5 != FALSE,
            record.FastSystemS4 != FALSE, error};
}

PlatformCallResult Win32PowerPlatform::EnablePrivilege(const wchar_t* privilegeName) noexcept
{
    return ResultOf(::EnablePrivilege(privilegeName));
}

PlatformCallResult Win32PowerPlatform::RequestSuspend(bool hibernate, bool force, bool wakeupEventsDisabled) noexcept
{
    return ResultOf(SetSuspendState(hibernate ? TRUE : FALSE, force ? TRUE : FALSE,
                                    wakeupEventsDisabled ? TRUE : FALSE));
}

PlatformCallResult Win32PowerPlatform::RequestExitWindows(std::uint32_t flags, std::uint32_t reason) noexcept
{
    return ResultOf(ExitWindowsEx(flags, reason));
}

void Win32PowerPlatform::ShowShutdownNotice() noexcept
{
    ::ShowShutdownNotice();
}

void Win32PowerPlatform::TraceError(const char* function, int line, const wchar_t* format,
                                    std::uint32_t lastError) noexcept
{
    TraceLog::Instance().Write(TRACE_ERROR, function, line, format, static_cast<unsigned>(lastError));
}
