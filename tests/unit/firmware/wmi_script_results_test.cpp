#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

#include "firmware/parse_wmi_script_results.h"
#include "firmware/wmi_script_results.h"

namespace {

using Entries = std::map<std::wstring, std::wstring>;

// Halves of a surrogate pair, each alone.
const std::wstring kHigh(1, static_cast<wchar_t>(0xD800));
const std::wstring kLow(1, static_cast<wchar_t>(0xDC00));

std::string Narrow(std::wstring_view text)
{
    std::string out;
    for (const wchar_t c : text) {
        out += (c >= 32 && c < 128) ? static_cast<char>(c) : '?';
    }
    return out;
}

Entries EntriesOf(const WmiScriptResults& table)
{
    return Entries(table.Items().begin(), table.Items().end());
}

TEST(WmiScriptResults, KeysMatchWithoutRegardToTheCaseOfAToZAndKeepTheirFirstSpelling)
{
    WmiScriptResults table;
    table.Store(L"WMIS_HRESULT", L"1");
    table.Store(L"wmis_hresult", L"2");
    table.Store(L"Wmis_HResult", L"3");
    ASSERT_EQ(table.Size(), 1u);
    EXPECT_EQ(table.Items().begin()->first, L"WMIS_HRESULT");
    EXPECT_EQ(table.Read(L"wMiS_hReSuLt"), L"3");

    // Only A to Z fold: other letters and the characters between "Z" and
    // "a" stay apart.
    table.Store(L"\u00c9", L"upper");
    table.Store(L"\u00e9", L"lower");
    table.Store(L"[", L"bracket");
    table.Store(L"{", L"brace");
    EXPECT_EQ(table.Size(), 5u);
    EXPECT_EQ(table.Read(L"\u00e9"), L"lower");
    EXPECT_EQ(table.Read(L"{"), L"brace");

    EXPECT_EQ(table.Read(L"missing"), L"");
    EXPECT_FALSE(table.Contains(L"missing"));
    EXPECT_EQ(table.Read(L""), L"");
    table.Clear();
    EXPECT_EQ(table.Size(), 0u);
}

struct ParseCase {
    std::wstring text;
    Entries entries;
};

TEST(ParseWmiScriptResults, AWholeReplyIsParsedUntilTheEndOrTheFirstMalformedField)
{
    const ParseCase cases[] = {
        {L"A=1;b=2;a=3", {{L"A", L"3"}, {L"b", L"2"}}},
        {L"A=1=2", {{L"A", L"1=2"}}},
        {L"A=1;B=2;", {{L"A", L"1"}, {L"B", L"2"}}},
        {L"=x;A=1", {}},
        {L"A;B=1", {}},
        {L"", {}},
        {L";A=1", {}},
        {L"=", {}},
        {L"A=1;;B=2", {{L"A", L"1"}}},
        {L"A=1;=2;C=3", {{L"A", L"1"}}},
        {L" WMIS_HRESULT=0", {{L" WMIS_HRESULT", L"0"}}},
        {L"A= 1 ;B =2", {{L"A", L" 1 "}, {L"B ", L"2"}}},
        {L"A=1;A=;a=3", {{L"A", L"3"}}},
        {kHigh + L"=" + kLow + L";\u4e2d=\uFFFF", {{kHigh, kLow}, {L"\u4e2d", L"\uFFFF"}}},
        {std::wstring(L"A=1\0B;C=2", 9), {{L"A", std::wstring(L"1\0B", 3)}, {L"C", L"2"}}},
        {std::wstring(50000, L'k') + L"=" + std::wstring(50000, L'v'), {{std::wstring(50000, L'k'), std::wstring(50000, L'v')}}},
    };
    for (const ParseCase& c : cases) {
        WmiScriptResults table;
        EXPECT_TRUE(ParseWmiScriptResults(table, c.text, false).empty()) << Narrow(c.text.substr(0, 40));
        EXPECT_EQ(EntriesOf(table), c.entries) << Narrow(c.text.substr(0, 40));
    }
}

struct CarryCase {
    std::wstring text;
    Entries entries;
    std::wstring carried;
};

TEST(ParseWmiScriptResults, WhenMoreFollowsTheFieldWithoutItsSemicolonIsCarriedToTheNextPass)
{
    const CarryCase cases[] = {
        {L"A=1;B=2", {{L"A", L"1"}}, L"B=2"},
        {L"A=1;B", {{L"A", L"1"}}, L"B"},
        {L"A=1;", {{L"A", L"1"}}, L""},
        {L"A=1;B=2;", {{L"A", L"1"}, {L"B", L"2"}}, L""},
        {L"ABC", {}, L"ABC"},
        {L"", {}, L""},
        // A malformed field ends this pass; what follows its ";" is carried.
        {L"A=1;xx;C=3", {{L"A", L"1"}}, L"C=3"},
        {L"A=1;;B=2", {{L"A", L"1"}}, L"B=2"},
        {L"xx;", {}, L""},
    };
    for (const CarryCase& c : cases) {
        WmiScriptResults table;
        const std::wstring_view carried = ParseWmiScriptResults(table, c.text, true);
        EXPECT_EQ(carried, c.carried) << Narrow(c.text);
        if (!carried.empty()) {
            // The carried part is the tail of the text itself.
            EXPECT_EQ(carried.data() + carried.size(), c.text.data() + c.text.size()) << Narrow(c.text);
        }
        EXPECT_EQ(EntriesOf(table), c.entries) << Narrow(c.text);
    }
}

}  // namespace
