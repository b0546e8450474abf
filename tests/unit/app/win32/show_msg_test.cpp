#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/program/win32/startup.h"

namespace {

constexpr wchar_t kKey[] = L"SOFTWARE\\Norlak\\NorlakPivra";

void RemoveShowMsg()
{
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kKey, L"ShowMsg");
}

struct RegistryCase {
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
    std::uint32_t expected;
};

std::vector<BYTE> Dword(DWORD value)
{
    return {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
            static_cast<BYTE>(value >> 24)};
}

TEST(ShowMsgFromRegistry, OnlyAFourByteNumberCounts)
{
    const RegistryCase cases[] = {
        {"REG_DWORD 2", REG_DWORD, Dword(2), 2},
        {"REG_DWORD 0xFFFFFFFF", REG_DWORD, Dword(0xFFFFFFFFu), 0xFFFFFFFFu},
        {"4-byte REG_BINARY", REG_BINARY, Dword(2), 2},
        {"REG_SZ \"2\"", REG_SZ, {'2', 0, 0, 0}, 0},
        {"8-byte REG_QWORD", REG_QWORD, {2, 0, 0, 0, 0, 0, 0, 0}, 0},
        {"2-byte REG_BINARY", REG_BINARY, {2, 0}, 0},
        {"empty REG_DWORD", REG_DWORD, {}, 0},
    };
    for (const RegistryCase& c : cases) {
        RemoveShowMsg();
        ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, L"ShowMsg", c.type, c.data.data(),
                                  static_cast<DWORD>(c.data.size())),
                  ERROR_SUCCESS)
            << c.name;
        EXPECT_EQ(ReadShowMsg(), c.expected) << c.name;
    }
    RemoveShowMsg();
    EXPECT_EQ(ReadShowMsg(), 0u) << "missing value";
}

}  // namespace
