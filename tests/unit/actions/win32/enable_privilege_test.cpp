#include <gtest/gtest.h>

#include <windows.h>

#include "app/actions/win32/enable_privilege.h"
#include "app/ground/win32/unique_handle.h"

namespace {

void DisableShutdownPrivilege()
{
    UniqueKernelObject token;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, token.Put()));
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    ASSERT_TRUE(LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid));
    privileges.Privileges[0].Attributes = 0;
    ASSERT_TRUE(AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr));
}

bool ShutdownPrivilegeEnabled()
{
    UniqueKernelObject token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Put())) {
        return false;
    }
    LUID luid = {};
    if (!LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &luid)) {
        return false;
    }
    PRIVILEGE_SET set = {};
    set.PrivilegeCount = 1;
    set.Control = PRIVILEGE_SET_ALL_NECESSARY;
    set.Privilege[0].Luid = luid;
    BOOL held = FALSE;
    return PrivilegeCheck(token.Get(), &set, &held) && held;
}

struct PrivilegeCase {
    const wchar_t* name;
    int succeeds;
    DWORD lastError;   // checked on failure only
};

TEST(EnablePrivilege, EnablesAKnownPrivilegeAndReportsAnUnknownOne)
{
    const PrivilegeCase cases[] = {
        {L"SeShutdownPrivilege", 1, 0},
        {L"SeNoSuchPrivilege", 0, ERROR_NO_SUCH_PRIVILEGE},
        {L"", 0, ERROR_NO_SUCH_PRIVILEGE},
    };
    for (const PrivilegeCase& c : cases) {
        DisableShutdownPrivilege();
        ASSERT_FALSE(ShutdownPrivilegeEnabled());
        SetLastError(0xDEAD);
        const int result = EnablePrivilege(c.name);
        const DWORD error = GetLastError();
        EXPECT_EQ(result != 0, c.succeeds != 0) << "privilege name of " << wcslen(c.name) << " characters";
        if (c.succeeds == 0) {
            EXPECT_EQ(error, c.lastError);
        }
        EXPECT_EQ(ShutdownPrivilegeEnabled(), c.succeeds != 0);
    }
}

}  // namespace
