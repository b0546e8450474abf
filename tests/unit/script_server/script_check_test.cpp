#include <gtest/gtest.h>

#include <string>

#include "firmware/orvex_notify_script.h"
#include "script_server/script_check.h"

namespace {

const std::wstring kScript16 =
    L"[100=root\\wmi,0,][101=4,3,0,][102=Select * from OrvexMethod,16,][200=-1,][401=__PATH,]"
    L"[104=OrvexMethod,OrvexNotify,][300=NotificationCode,16,][300=NotifycationParmeter,0,]"
    L"[105=$(__PATH),0,][301=NotifycationReturnValue,]";

std::wstring Replace(std::wstring text, const std::wstring& from, const std::wstring& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::wstring::npos);
    return text.replace(at, from.size(), to);
}

TEST(ScriptCheck, TheSwitchersScriptPassesWithItsCommandCode)
{
    for (const std::uint32_t code : {0u, 16u, 17u, 20u, 24u, 0x80000000u, 0xFFFFFFFFu}) {
        const ScriptCheck check = CheckNotifyScript(BuildOrvexNotifyScript(code).Text());
        EXPECT_EQ(check.wrongAction, 0u) << code;
        EXPECT_EQ(check.commandCode, code);
    }
    EXPECT_EQ(CheckNotifyScript(kScript16).commandCode, 16u);
}

struct WrongCase {
    std::wstring script;
    std::uint32_t wrongAction;
};

TEST(ScriptCheck, TheFirstWrongOrMissingActionIsNamed)
{
    const std::wstring codeAction = L"[300=NotificationCode,16,]";
    const WrongCase cases[] = {
        {L"", 1},
        {L"[100=root\\wmi,0]" + kScript16.substr(17), 1},
        {Replace(kScript16, L"root\\wmi", L"ROOT\\wmi"), 1},
        {Replace(kScript16, L"4,3,0", L"4,3"), 2},
        {Replace(kScript16, L"OrvexMethod,16", L"OrvexMethods,16"), 3},
        {kScript16.substr(0, kScript16.find(L"[200=")), 4},
        {Replace(kScript16, L"__PATH,]", L"__Path,]"), 5},
        {Replace(kScript16, codeAction, L"[300=NotificationCode,016,]"), 7},
        {Replace(kScript16, codeAction, L"[300=NotificationCode,4294967296,]"), 7},
        {Replace(kScript16, codeAction, L"[300=NotificationCode, 16,]"), 7},
        {Replace(kScript16, codeAction, L"[300=NotificationCode,16]"), 7},
        {Replace(kScript16, codeAction, L"[300=NotifycationCode,16,]"), 7},
        {Replace(kScript16, L"NotifycationParmeter,0", L"NotifycationParmeter,1"), 8},
        {Replace(kScript16, L"$(__PATH),0,", L"$(__PATH),"), 9},
        {kScript16.substr(0, kScript16.size() - 1), 10},
        {kScript16 + L"x", 11},
        {L"\uFEFF" + kScript16, 1},
        {kScript16 + std::wstring(1, L'\0'), 11},
    };
    for (const WrongCase& c : cases) {
        EXPECT_EQ(CheckNotifyScript(c.script).wrongAction, c.wrongAction) << std::string(c.script.begin(), c.script.end());
    }
}

}  // namespace
