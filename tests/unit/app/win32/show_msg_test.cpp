// The message policy as the program reads it from the registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "app/program/win32/startup.h"

namespace {

TEST(ShowMsgFromRegistry, OnlyAFourByteNumberCounts)
{
    constexpr wchar_t kKey[] = L"SOFTWARE\\Norlak\\NorlakPivra";
    const struct { DWORD type; std::vector<BYTE> data; std::uint32_t showMsg; } cases[] = {
        {REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, 0xFFFFFFFFu},
        {REG_BINARY, {2, 0, 0, 0}, 2},
        {REG_SZ, {'2', 0, 0, 0}, 0},
        {REG_BINARY, {2, 0}, 0},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, L"ShowMsg", c.type, c.data.data(),
                                  static_cast<DWORD>(c.data.size())),
                  ERROR_SUCCESS);
        EXPECT_EQ(ReadShowMsg(), c.showMsg) << "type " << c.type << ", " << c.data.size() << " bytes";
    }
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kKey, L"ShowMsg");
    EXPECT_EQ(ReadShowMsg(), 0u) << "missing value";
}

}  // namespace
