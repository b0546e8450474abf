#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "firmware/wmi_script.h"

namespace {

using Arguments = std::vector<std::wstring>;

const std::wstring kLoneSurrogate(1, static_cast<wchar_t>(0xD800));

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (const wchar_t c : text) {
        out += c < 128 ? static_cast<char>(c) : '?';
    }
    return out;
}

struct AddCase {
    std::int32_t code;
    std::wstring argumentText;
    std::wstring text;        // the script's text after the add
    std::int32_t storedCode;
    Arguments arguments;
};

TEST(WmiScript, AddingFromCodeAndArgumentTextKeepsWhatTheActionTextReadsBackAs)
{
    const AddCase cases[] = {
        {100, L"root\\wmi,0", L"[100=root\\wmi,0,]", 100, {L"root\\wmi", L"0"}},
        {101, L"4,3,0", L"[101=4,3,0,]", 101, {L"4", L"3", L"0"}},
        {401, L"__PATH", L"[401=__PATH,]", 401, {L"__PATH"}},
        {7, L",,,", L"[7=,]", 7, {}},
        {5, L",a,,b,", L"[5=a,b,]", 5, {L"a", L"b"}},
        {100000, L"x", L"[-1=x,]", -1, {L"x"}},
        {99999, L"x", L"[99999=x,]", 99999, {L"x"}},
        {0, L"x", L"[0=x,]", 0, {L"x"}},
        {INT32_MIN, L"x", L"[-1=x,]", -1, {L"x"}},
        // "]" ends the action early: the rest of the argument text is lost.
        {5, L"a]b,c", L"[5=a,]", 5, {L"a"}},
        {5, L"a=b,[c", L"[5=a=b,[c,]", 5, {L"a=b", L"[c"}},
        {5, L" a , b ", L"[5= a , b ,]", 5, {L" a ", L" b "}},
        {5, L"\u4e2d" + kLoneSurrogate, L"[5=\u4e2d" + kLoneSurrogate + L",]", 5, {L"\u4e2d" + kLoneSurrogate}},
    };
    for (const AddCase& c : cases) {
        WmiScript script;
        EXPECT_TRUE(script.AddAction(c.code, c.argumentText));
        ASSERT_EQ(script.Actions().size(), 1u);
        EXPECT_EQ(script.Text(), c.text) << Narrow(c.argumentText);
        EXPECT_EQ(script.Actions()[0].code, c.storedCode) << c.code;
        EXPECT_EQ(script.Actions()[0].arguments, c.arguments) << Narrow(c.argumentText);
    }
}

struct ReadCase {
    std::wstring text;
    std::optional<WmiScriptAction> action;
};

TEST(WmiScript, ReadingAnActionTakesTheFirstBracketPairAndTheCodeUpToTheFirstEquals)
{
    const ReadCase cases[] = {
        {L"[5=a,b,]tail", WmiScriptAction{5, {L"a", L"b"}}},
        {L"[5=,]", WmiScriptAction{5, {}}},
        {L"[5=]", WmiScriptAction{5, {}}},
        {L"junk[5=a]", WmiScriptAction{5, {L"a"}}},
        {L"][5=a]", WmiScriptAction{5, {L"a"}}},
        {L"[5=a][6=b]", WmiScriptAction{5, {L"a"}}},
        {L"[5=[a,]", WmiScriptAction{5, {L"[a"}}},
        {L"[ 7=a]", WmiScriptAction{7, {L"a"}}},
        {L"[7x=a]", WmiScriptAction{7, {L"a"}}},
        {L"[abc=a]", WmiScriptAction{-1, {L"a"}}},
        {L"[[5=a]", WmiScriptAction{-1, {L"a"}}},
        {L"[100000=a]", WmiScriptAction{-1, {L"a"}}},
        {L"[-3=a]", WmiScriptAction{-1, {L"a"}}},
        {L"[4294967301=a]", WmiScriptAction{-1, {L"a"}}},
        {L"[=a,]", std::nullopt},
        {L"[5a,]", std::nullopt},
        {L"5=a,", std::nullopt},
        {L"[5=a", std::nullopt},
        {L"[5]=a", std::nullopt},
        {L"[]", std::nullopt},
        {L"", std::nullopt},
        {L"=]", std::nullopt},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(ReadWmiScriptAction(c.text), c.action) << Narrow(c.text);
    }
}

TEST(WmiScript, AnActionTextThatIsNoActionIsNotAppended)
{
    WmiScript script;
    EXPECT_TRUE(script.AddActionText(L"[401=__PATH,]"));
    EXPECT_FALSE(script.AddActionText(L"[=a,]"));
    EXPECT_FALSE(script.AddActionText(L"401=__PATH,"));
    EXPECT_TRUE(script.AddActionText(L"[5=a,b]tail"));
    EXPECT_EQ(script.Actions().size(), 2u);
    // The script's text joins its actions in order with nothing between.
    EXPECT_EQ(script.Text(), L"[401=__PATH,][5=a,b,]");
}

}  // namespace
