#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "firmware/orvex_notify_reply.h"
#include "firmware/orvex_notify_script.h"
#include "firmware/parse_wmi_script_results.h"

namespace {

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (const wchar_t c : text) {
        out += (c >= 32 && c < 128) ? static_cast<char>(c) : '?';
    }
    return out;
}

TEST(OrvexNotifyScript, IsTheTenActionCallOfOrvexNotifyWithTheCommandCodeInDecimal)
{
    EXPECT_EQ(BuildOrvexNotifyScript(16).Text(),
              L"[100=root\\wmi,0,][101=4,3,0,][102=Select * from OrvexMethod,16,][200=-1,][401=__PATH,]"
              L"[104=OrvexMethod,OrvexNotify,][300=NotificationCode,16,][300=NotifycationParmeter,0,]"
              L"[105=$(__PATH),0,][301=NotifycationReturnValue,]");
    // Other codes, up to the largest, are checked action by action by the
    // stand-in server's script check.
    EXPECT_EQ(BuildOrvexNotifyScript(0xFFFFFFFFu).Actions().at(6).arguments,
              (std::vector<std::wstring>{L"NotificationCode", L"4294967295"}));
}

struct ReplyCase {
    std::wstring reply;
    std::uint32_t preset;
    std::int32_t result;
    std::uint32_t value;
    std::wstring actionIndex;
};

TEST(OrvexNotifyReply, ResultComesFromWmisHresultAndTheValueOnlyFromANumberInTheReturnValue)
{
    const std::int32_t noResult = kNoResultInReply;
    const ReplyCase cases[] = {
        {L"WMIS_HRESULT=0;NotifycationReturnValue=5", 0x40000000, 0, 5, L""},
        {L"WMIS_HRESULT=-2147217406;WMIS_ActionIndex=3", 0x40000000, static_cast<std::int32_t>(0x80041002u),
         0x40000000, L"3"},
        // A failure that still carries a return value sets the value.
        {L"WMIS_HRESULT=-1;NotifycationReturnValue=7;WMIS_ActionIndex=9", 1, -1, 7, L"9"},
        {L"wmis_hresult=0;notifycationreturnvalue=1", 0, 0, 1, L""},
        {L"WMIS_HRESULT=0;NotifycationReturnValue=", 0x40000000, 0, 0x40000000, L""},
        {L"WMIS_HRESULT=0", 1, 0, 1, L""},
        {L"NotifycationReturnValue=0", 1, noResult, 0, L""},
        {L"", 0x40000000, noResult, 0x40000000, L""},
        {L" WMIS_HRESULT=0;NotifycationReturnValue=1", 0, noResult, 1, L""},
        {L"WMIS_HRESULT=abc;WMIS_ActionIndex=x y", 0, noResult, 0, L"x y"},
        {L"WMIS_HRESULT=2147749890", 0, noResult, 0, L""},
        {L"WMIS_HRESULT= +0;NotifycationReturnValue= 12abc", 0, 0, 12, L""},
        {L"WMIS_HRESULT=0;NotifycationReturnValue=4294967295", 0, 0, 0xFFFFFFFFu, L""},
        // Not a number, or not one that fits: the preset stays.
        {L"WMIS_HRESULT=0;NotifycationReturnValue=4294967296", 1, 0, 1, L""},
        {L"WMIS_HRESULT=0;NotifycationReturnValue=-1", 1, 0, 1, L""},
        {L"WMIS_HRESULT=1;WMIS_ActionIndex=\u00e9\u4e2d", 0, 1, 0, L"\u00e9\u4e2d"},
    };
    for (const ReplyCase& c : cases) {
        WmiScriptResults reply;
        (void)ParseWmiScriptResults(reply, c.reply, false);
        std::uint32_t value = c.preset;
        const OrvexNotifyOutcome outcome = ReadOrvexNotifyReply(reply, value);
        EXPECT_EQ(outcome.result, c.result) << Narrow(c.reply);
        EXPECT_EQ(value, c.value) << Narrow(c.reply);
        EXPECT_EQ(outcome.actionIndex, c.actionIndex) << Narrow(c.reply);
    }
}

}  // namespace
