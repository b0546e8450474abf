#include "app/actions/win32/enable_privilege.h"

#include <windows.h>

#include "ground/win32/unique_handle.h"

int EnablePrivilege(const wchar_t* privilegeName) noexcept
{
    UniqueKernelObject token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Put())) {
        return 0;
    }
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    BOOL result = LookupPrivilegeValueW(nullptr, privilegeName, &privileges.Privileges[0].Luid);
    if (result) {
        result = AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
    }
    // Closing the token must not hide why the step before failed.
    const DWORD error = GetLastError();
    // A token without the privilege is no failure to AdjustTokenPrivileges:
    // it succeeds and says ERROR_NOT_ALL_ASSIGNED (a standard user on a
    // server edition), and the privilege stays off.
    if (error == ERROR_NOT_ALL_ASSIGNED) {
        result = FALSE;
    }
    token.Reset();
    SetLastError(error);
    return result;
}
