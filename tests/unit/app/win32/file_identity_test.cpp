// Which file a handle reaches, as the log checks it before it writes through
// a second handle.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ground/win32/plain_file.h"
#include "ground/win32/unique_handle.h"

namespace {

UniqueFileHandle Open(const std::wstring& path, DWORD disposition)
{
    return UniqueFileHandle(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, disposition,
                                        FILE_FLAG_DELETE_ON_CLOSE, nullptr));
}

TEST(FileIdentity, TwoHandlesReachTheSameFileOnlyWhenBothAreKnownAndEqual)
{
    wchar_t folder[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, folder), 0u);
    const std::wstring path = std::wstring(folder) + L"orvex-identity-" + std::to_wstring(GetCurrentProcessId());
    const UniqueFileHandle first = Open(path + L"-a", CREATE_NEW);
    const UniqueFileHandle again = Open(path + L"-a", OPEN_EXISTING);
    const UniqueFileHandle other = Open(path + L"-b", CREATE_NEW);
    ASSERT_TRUE(first && again && other);
    EXPECT_TRUE(IdentityOf(first.Get()) == IdentityOf(again.Get()));
    EXPECT_FALSE(IdentityOf(first.Get()) == IdentityOf(other.Get()));
    EXPECT_FALSE(IdentityOf(INVALID_HANDLE_VALUE) == IdentityOf(INVALID_HANDLE_VALUE));   // unknown is no match
    EXPECT_FALSE(IsReparsePoint(first.Get()));
}

}  // namespace
