// The firmware channel's portable rules: the script it sends, and how the
// reply is read in passes, parsed and turned into a result and a value.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "firmware/decimal_number.h"
#include "firmware/orvex_notify_reply.h"
#include "firmware/orvex_notify_script.h"
#include "firmware/parse_wmi_script_results.h"
#include "message_source.h"

namespace {

using Entries = WmiScriptResults::Entries;

TEST(DecimalNumber, ReadsBlanksSignAndDigitsUpToTheFirstOtherCharacter)
{
    const struct { std::wstring text; std::optional<std::int32_t> asSigned;
        std::optional<std::uint32_t> asUnsigned; } cases[] = {
        {L" \t\r\n+7", 7, 7u},                     {L"12abc", 12, 12u},
        {L"-0", 0, 0u},                              {L"-5", -5, std::nullopt},
        {L"2147483647", 2147483647, 2147483647u},    {L"-2147483648", INT32_MIN, std::nullopt},
        {L"2147483648", std::nullopt, 2147483648u},  {L"4294967295", std::nullopt, 4294967295u},
        {L"4294967296", std::nullopt, std::nullopt}, {L"- 1", std::nullopt, std::nullopt},
        {L"\uFF11", std::nullopt, std::nullopt},   // digits of other scripts are no digits
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadSignedDecimal(c.text), c.asSigned) << c.text;
        EXPECT_EQ(ReadUnsignedDecimal(c.text), c.asUnsigned) << c.text;
    }
}

TEST(WmiScript, ActionsDropEmptyArgumentsAndCodesOutsideTheRangeAndTheNotifyScriptIsTheTenActionCall)
{
    const struct { std::int32_t code; std::wstring arguments; std::wstring text; } cases[] = {
        {5, L",a,,b,", L"[5=a,b,]"}, {5, L"", L"[5=,]"}, {99999, L"x", L"[99999=x,]"}, {100000, L"x", L"[-1=x,]"},
        {-3, L"x", L"[-1=x,]"},      {5, L"a]b,c", L"[5=a,]"},   // the first "]" closes the action
    };
    for (const auto& c : cases) {
        WmiScript script;
        EXPECT_TRUE(script.AddAction(c.code, c.arguments));
        EXPECT_EQ(script.Text(), c.text) << c.code << " " << c.arguments;
    }
    EXPECT_EQ(BuildOrvexNotifyScript(16).Text(),
              L"[100=root\\wmi,0,][101=4,3,0,][102=Select * from OrvexMethod,16,][200=-1,][401=__PATH,]"
              L"[104=OrvexMethod,OrvexNotify,][300=NotificationCode,16,][300=NotifycationParmeter,0,]"
              L"[105=$(__PATH),0,][301=NotifycationReturnValue,]");
}

TEST(WmiScriptResults, FieldsAreParsedUntilTheEndOrTheFirstMalformedOne)
{
    const struct { std::wstring text; bool moreFollows; Entries entries; std::wstring carried; } cases[] = {
        {L"Az=1;b=2;aZ=3", false, {{L"Az", L"3"}, {L"b", L"2"}}, L""},   // keys fold A to Z, keep their first spelling
        {L"A=1=2;", false, {{L"A", L"1=2"}}, L""},
        {L"A=1;;B=2", false, {{L"A", L"1"}}, L""},
        {L"=x;A=1", false, {}, L""},
        {L"A= 1 ;B =2", false, {{L"A", L" 1 "}, {L"B ", L"2"}}, L""},
        {L"\u00c4=1;\u00e4=2", false, {{L"\u00c4", L"1"}, {L"\u00e4", L"2"}}, L""},
        {L"A=1;B=2", true, {{L"A", L"1"}}, L"B=2"},   // the unended field waits for the next pass
        {L"A=1;B=2;", true, {{L"A", L"1"}, {L"B", L"2"}}, L""},
        {L"A=1;xx;C=3", true, {{L"A", L"1"}}, L"C=3"},
    };
    for (const auto& c : cases) {
        WmiScriptResults table;
        EXPECT_EQ(ParseWmiScriptResults(table, c.text, c.moreFollows), c.carried) << c.text;
        EXPECT_EQ(table.Items(), c.entries) << c.text;
    }
}

TEST(WmiScriptResults, AReplyIsReadInPassesCarryingTheCutFieldIntoTheNext)
{
    const std::wstring pad = L"Pad=" + std::wstring(2040 - 5, L'p') + L";";   // 2040 characters
    const struct { const char* what; std::wstring reply; std::size_t failAfter; std::vector<std::size_t> capacities;
        Entries entries; } cases[] = {
        {"one pass", L"A=1;B=2", SIZE_MAX, {2048}, {{L"A", L"1"}, {L"B", L"2"}}},
        {"a field cut by the end of a pass", pad + L"Cut=0123456789;Z=9", SIZE_MAX, {2048, 2048 - 8},
         {{L"Pad", pad.substr(4, 2035)}, {L"Cut", L"0123456789"}, {L"Z", L"9"}}},
        {"a field that fills the whole buffer ends the reading", L"A=1;B=" + std::wstring(3000, L'b') + L";C=3",
         SIZE_MAX, {2048, 4}, {{L"A", L"1"}}},
        {"a read that brings nothing keeps what was parsed", pad + L"Cut=0123456789;", 1, {2048, 2040},
         {{L"Pad", pad.substr(4, 2035)}}},
        {"text ends at a NUL", std::wstring(L"A=1;B=2\0C=3", 11), SIZE_MAX, {2048}, {{L"A", L"1"}, {L"B", L"2"}}},
    };
    for (const auto& c : cases) {
        WmiScriptResults table;
        table.Store(L"Old", L"1");
        MessageSource source(c.reply, c.failAfter);
        EXPECT_TRUE(ReceiveWmiScriptResultsFrom(source, &table)) << c.what;
        EXPECT_EQ(source.capacities, c.capacities) << c.what;
        EXPECT_EQ(table.Items(), c.entries) << c.what;
    }
    MessageSource source(L"A=1", SIZE_MAX);
    EXPECT_FALSE(ReceiveWmiScriptResultsFrom(source, nullptr));
}

TEST(OrvexNotifyReply, ResultComesFromWmisHresultAndTheValueOnlyFromANumberInTheReturnValue)
{
    const std::int32_t noResult = kNoResultInReply;
    const struct { std::wstring reply; std::uint32_t preset; std::int32_t result; std::uint32_t value;
        std::wstring actionIndex; } cases[] = {
        {L"WMIS_HRESULT=0;NotifycationReturnValue=5", 0x40000000, 0, 5, L""},
        {L"WMIS_HRESULT=-2147217406;WMIS_ActionIndex=3", 0x40000000, static_cast<std::int32_t>(0x80041002u),
         0x40000000, L"3"},
        {L"WMIS_HRESULT=-1;NotifycationReturnValue=7", 1, -1, 7, L""},   // a failure may still set the value
        {L"wmis_hresult=0;notifycationreturnvalue=1", 0, 0, 1, L""},
        {L"WMIS_HRESULT=0;NotifycationReturnValue=", 0x40000000, 0, 0x40000000, L""},
        {L"NotifycationReturnValue=0", 1, noResult, 0, L""},
        {L"WMIS_HRESULT=2147749890", 0, noResult, 0, L""},
    };
    for (const auto& c : cases) {
        WmiScriptResults reply;
        static_cast<void>(ParseWmiScriptResults(reply, c.reply, false));
        std::uint32_t value = c.preset;
        const OrvexNotifyOutcome outcome = ReadOrvexNotifyReply(reply, value);
        EXPECT_EQ(outcome.result, c.result) << c.reply;
        EXPECT_EQ(value, c.value) << c.reply;
        EXPECT_EQ(outcome.actionIndex, c.actionIndex) << c.reply;
    }
}

}  // namespace
