#include "app/actions/win32/windows_power_platform.h"

#include <windows.h>

#include <powrprof.h>

#include "app/actions/power_actions.h"
#include "app/actions/win32/enable_privilege.h"
#include "app/ground/win32/trace_log.h"
#include "app/ground/win32/unique_handle.h"
#include "ui/win32/load_res_string.h"

static_assert(kExitPowerOff == (EWX_POWEROFF | EWX_FORCE));
static_assert(kExitHybridShutdown == (EWX_HYBRID_SHUTDOWN | EWX_SHUTDOWN | EWX_FORCE));
static_assert(kExitShutdown == (EWX_SHUTDOWN | EWX_FORCE));
static_assert(kExitReboot == (EWX_REBOOT | EWX_FORCE));
static_assert(kPlannedShutdownReason ==
              (SHTDN_REASON_FLAG_PLANNED | SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER));

namespace {

constexpr UINT kLogonNoticeStringId = 2017;

PlatformCallResult ResultOf(BOOL succeeded) noexcept
{
    if (succeeded) {
        return {true, 0};
    }
    return {false, GetLastError()};
}

}  // namespace

PowerCapabilities WindowsPowerPlatform::QueryCapabilities() noexcept
{
    SYSTEM_POWER_CAPABILITIES record = {};
    // A failed query leaves the record cleared: nothing is supported.
    static_cast<void>(GetPwrCapabilities(&record));
    const DWORD error = GetLastError();
    return {record.SystemS3 != FALSE, record.SystemS4 != FALSE, record.SystemS5 != FALSE,
            record.FastSystemS4 != FALSE, error};
}

PlatformCallResult WindowsPowerPlatform::EnablePrivilege(const wchar_t* privilegeName) noexcept
{
    return ResultOf(::EnablePrivilege(privilegeName));
}

PlatformCallResult WindowsPowerPlatform::RequestSuspend(bool hibernate, bool force, bool wakeupEventsDisabled) noexcept
{
    return ResultOf(SetSuspendState(hibernate ? TRUE : FALSE, force ? TRUE : FALSE,
                                    wakeupEventsDisabled ? TRUE : FALSE));
}

PlatformCallResult WindowsPowerPlatform::RequestExitWindows(std::uint32_t flags, std::uint32_t reason) noexcept
{
    return ResultOf(ExitWindowsEx(flags, reason));
}

std::wstring WindowsPowerPlatform::NoticeCaption() noexcept
{
    // The caption comes from the platform's logon program, loaded as data
    // only and released at once; empty when it is missing or has no such
    // string.
    const UniqueModule logon(LoadLibraryExW(L"winlogon.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!logon) {
        return {};
    }
    return LoadResString(logon.Get(), kLogonNoticeStringId);
}

void WindowsPowerPlatform::TraceError(const char* function, int line, const wchar_t* format,
                                    std::uint32_t lastError) noexcept
{
    TraceLog::Instance().Write(TRACE_ERROR, function, line, format, static_cast<unsigned>(lastError));
}
