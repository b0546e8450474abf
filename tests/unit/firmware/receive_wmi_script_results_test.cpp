#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "firmware/receive_wmi_script_results.h"

namespace {

// One reply message read the way a message-mode pipe hands it out: each
// read takes what fits, and says so when more of the message is left.
class MessageSource final : public ReplySource {
public:
    explicit MessageSource(std::wstring message, std::size_t failAfterReads = SIZE_MAX)
        : message_(std::move(message)), failAfterReads_(failAfterReads)
    {
    }

    ReplyRead Read(wchar_t* into, std::size_t capacity) noexcept override
    {
        capacities.push_back(capacity);
        if (capacities.size() > failAfterReads_) {
            return {};
        }
        const std::size_t count = std::min(capacity, message_.size() - at_);
        std::copy_n(message_.data() + at_, count, into);
        at_ += count;
        return {count, at_ < message_.size()};
    }

    std::vector<std::size_t> capacities;

private:
    std::wstring message_;
    std::size_t at_ = 0;
    std::size_t failAfterReads_;
};

// Fields "F<n>=<value>;" of fieldSize characters each, numbered from first.
std::wstring Fields(int first, int count, std::size_t fieldSize)
{
    std::wstring text;
    for (int i = first; i < first + count; ++i) {
        std::wstring field = L"F" + std::to_wstring(i) + L"=";
        field.append(fieldSize - field.size() - 1, L'v');
        text += field + L";";
    }
    return text;
}

TEST(ReceiveWmiScriptResults, TheTableIsEmptiedFirstAndWithoutOneNothingIsRead)
{
    MessageSource unread(L"A=1");
    EXPECT_FALSE(ReceiveWmiScriptResultsFrom(unread, nullptr));
    EXPECT_TRUE(unread.capacities.empty());

    WmiScriptResults table;
    table.Store(L"Old", L"1");
    MessageSource source(L"A=1");
    EXPECT_TRUE(ReceiveWmiScriptResultsFrom(source, &table));
    EXPECT_FALSE(table.Contains(L"Old"));
    EXPECT_EQ(table.Read(L"A"), L"1");
}

TEST(ReceiveWmiScriptResults, AReplyOfExactlyTheBufferIsOnePassParsedWhole)
{
    const std::wstring reply = Fields(0, 31, 64) + L"Last=" + std::wstring(2048 - 31 * 64 - 5, L'z');
    ASSERT_EQ(reply.size(), kReplyBufferCharacters);
    WmiScriptResults table;
    MessageSource source(reply);
    EXPECT_TRUE(ReceiveWmiScriptResultsFrom(source, &table));
    EXPECT_EQ(source.capacities, std::vector<std::size_t>({2048}));
    EXPECT_EQ(table.Size(), 32u);
    EXPECT_EQ(table.Read(L"Last").size(), 2048u - 31 * 64 - 5);
}

TEST(ReceiveWmiScriptResults, AFieldCutByTheEndOfAPassIsCarriedAndParsedWholeInTheNext)
{
    // 5000 bytes: the field Cut runs from character 2040 to 2060.
    std::wstring reply = Fields(0, 29, 68);
    reply += L"Z=" + std::wstring(2040 - reply.size() - 3, L'z') + L";";
    ASSERT_EQ(reply.size(), 2040u);
    reply += L"Cut=0123456789abcdef;";
    reply += L"WMIS_HRESULT=0;Tail=";
    reply.append(2500 - reply.size(), L't');
    ASSERT_EQ(reply.size() * 2, 5000u);

    WmiScriptResults table;
    MessageSource source(reply);
    EXPECT_TRUE(ReceiveWmiScriptResultsFrom(source, &table));
    EXPECT_EQ(table.Read(L"Cut"), L"0123456789abcdef");
    EXPECT_EQ(table.Read(L"WMIS_HRESULT"), L"0");
    EXPECT_EQ(table.Read(L"Tail").size(), 2500 - 2040 - 21 - 20u);
    EXPECT_EQ(table.Read(L"F28").size(), 68u - 5);
    // The second read asks only for the room behind the carried "Cut=0123".
    EXPECT_EQ(source.capacities, std::vector<std::size_t>({2048, 2048 - 8}));
}

TEST(ReceiveWmiScriptResults, ALongReplyIsReadInAsManyPassesAsItNeeds)
{
    const std::wstring reply = Fields(0, 1000, 37);
    WmiScriptResults table;
    MessageSource source(reply);
    EXPECT_TRUE(ReceiveWmiScriptResultsFrom(source, &table));
    EXPECT_EQ(table.Size(), 1000u);
    EXPECT_EQ(table.Read(L"F999"), std::wstring(37 - 6, L'v'));
    EXPECT_GE(source.capacities.size(), 18u);
}

TEST(ReceiveWmiScriptResults, AFieldThatFillsTheWholeBufferEndsTheReading)
{
    const std::wstring reply = L"A=1;B=" + std::wstring(3000, L'b') + L";C=3";
    WmiScriptResults table;
    MessageSource source(reply);
    EXPECT_TRUE(ReceiveWmiScriptResultsFrom(source, &table));
    EXPECT_EQ(table.Read(L"A"), L"1");
    EXPECT_FALSE(table.Contains(L"B"));
    EXPECT_FALSE(table.Contains(L"C"));
    // After the first pass "B=bbb..." (2044 characters) is carried and the
    // second pass fills the buffer with it; no read for nothing follows.
    EXPECT_EQ(source.capacities, std::vector<std::size_t>({2048, 4}));
}

TEST(ReceiveWmiScriptResults, TextEndsAtANulAndWhatFollowsItInThatPassIsDropped)
{
    const std::wstring last = std::wstring(L"A=1;B=2\0C=3;D=4", 15);
    WmiScriptResults table;
    MessageSource source(last);
    EXPECT_TRUE(ReceiveWmiScriptResultsFrom(source, &table));
    EXPECT_EQ(table.Items().size(), 2u);
    EXPECT_EQ(table.Read(L"B"), L"2");

    // In a pass that more follows, the part before the NUL is carried and
    // the next pass is read right behind it.
    std::wstring first(L"A=1;B=2\0", 8);
    first.append(2048 - first.size(), L'x');
    MessageSource cut(first + L";C=3");
    WmiScriptResults table2;
    EXPECT_TRUE(ReceiveWmiScriptResultsFrom(cut, &table2));
    EXPECT_EQ(table2.Read(L"A"), L"1");
    EXPECT_EQ(table2.Read(L"B"), L"2");
    EXPECT_EQ(table2.Read(L"C"), L"3");
    EXPECT_EQ(table2.Size(), 3u);
}

TEST(ReceiveWmiScriptResults, AReadThatBringsNothingKeepsWhatEarlierPassesParsed)
{
    const std::wstring reply = Fields(0, 40, 60);
    WmiScriptResults table;
    MessageSource source(reply, 1);
    EXPECT_TRUE(ReceiveWmiScriptResultsFrom(source, &table));
    EXPECT_EQ(table.Size(), 2048u / 60);
    EXPECT_EQ(source.capacities.size(), 2u);

    MessageSource nothing(L"A=1", 0);
    EXPECT_TRUE(ReceiveWmiScriptResultsFrom(nothing, &table));
    EXPECT_EQ(table.Size(), 0u);
}

}  // namespace
