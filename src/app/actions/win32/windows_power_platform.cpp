#include "app/actions/win32/windows_power_platform.h"

#include <windows.h>

#include <powrprof.h>

#include <new>

#include "app/actions/power_actions.h"
#include "app/actions/win32/enable_privilege.h"
#include "ground/win32/system_library.h"
#include "ground/win32/unique_handle.h"
#include "ground/win32/load_res_string.h"

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

WindowsPowerPlatform::WindowsPowerPlatform() noexcept : powerManagement_(L"powrprof.dll") {}

PowerCapabilities WindowsPowerPlatform::QueryCapabilities() noexcept
{
    SYSTEM_POWER_CAPABILITIES record = {};
    // A failed query, or none for want of the library, leaves the record
    // cleared: nothing is supported.
    DWORD error = ERROR_SUCCESS;
    if (auto* const query = powerManagement_.Find<decltype(GetPwrCapabilities)>("GetPwrCapabilities")) {
        static_cast<void>(query(&record));
        error = GetLastError();
    } else {
        error = powerManagement_.LastError();
    }
    return {record.SystemS3 != FALSE, record.SystemS4 != FALSE, record.SystemS5 != FALSE,
            record.FastSystemS4 != FALSE, error};
}

PlatformCallResult WindowsPowerPlatform::EnablePrivilege(const wchar_t* privilegeName) noexcept
{
    return ResultOf(::EnablePrivilege(privilegeName));
}

PlatformCallResult WindowsPowerPlatform::RequestSuspend(bool hibernate, bool force, bool wakeupEventsDisabled) noexcept
{
    auto* const suspend = powerManagement_.Find<decltype(SetSuspendState)>("SetSuspendState");
    if (suspend == nullptr) {
        return {false, powerManagement_.LastError()};
    }
    return ResultOf(suspend(hibernate ? TRUE : FALSE, force ? TRUE : FALSE, wakeupEventsDisabled ? TRUE : FALSE));
}

PlatformCallResult WindowsPowerPlatform::RequestExitWindows(std::uint32_t flags, std::uint32_t reason) noexcept
{
    return ResultOf(ExitWindowsEx(flags, reason));
}

std::wstring WindowsPowerPlatform::NoticeCaption() noexcept
{
    // The caption comes from the platform's logon program in the system
    // folder, loaded as an image resource only and released at once; empty
    // when it is missing or has no such string.
    try {
        const std::wstring logonPath = SystemFilePath(L"winlogon.exe");
        if (logonPath.empty()) {
            return {};
        }
        const UniqueModule logon(LoadLibraryExW(logonPath.c_str(), nullptr,
                                                LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE));
        if (!logon) {
            return {};
        }
        return LoadResString(logon.Get(), kLogonNoticeStringId);
    } catch (const std::bad_alloc&) {
        return {};
    }
}
