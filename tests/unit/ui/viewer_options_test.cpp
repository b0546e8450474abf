#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "viewer_options.h"

namespace {

TEST(ViewerCommandLine, PositionalArgumentsGiveTextCaptionStyleAndTimeout)
{
    const struct {
        std::vector<std::wstring> arguments;
        const wchar_t* text;      // null: left out
        const wchar_t* caption;
        std::uint32_t style;
        std::int32_t timeout;
    } cases[] = {
        {{}, nullptr, nullptr, 0, -1},
        {{L"", L""}, L"", L"", 0, -1},
        {{L"t", L"c", L"0x41", L"5"}, L"t", L"c", 65, 5},
        {{L"t", L"c", L"0XfF", L"0"}, L"t", L"c", 255, 0},
        {{L"t", L"c", L"4294967295", L"-1"}, L"t", L"c", 0xFFFFFFFFu, -1},
        {{L"t", L"c", L"1", L"2147483647"}, L"t", L"c", 1, INT32_MAX},
    };
    for (const auto& c : cases) {
        const auto options = ParseViewerOptions(c.arguments);
        ASSERT_TRUE(options.has_value()) << c.arguments.size();
        EXPECT_EQ(options->text.has_value(), c.text != nullptr);
        if (c.text != nullptr) {
            EXPECT_EQ(*options->text, c.text);
        }
        EXPECT_EQ(options->caption.has_value(), c.caption != nullptr);
        if (c.caption != nullptr) {
            EXPECT_EQ(*options->caption, c.caption);
        }
        EXPECT_EQ(options->style, c.style);
        EXPECT_EQ(options->timeoutSeconds, c.timeout);
        EXPECT_FALSE(options->labelsGiven);
    }
}

TEST(ViewerCommandLine, LabelsGiveTheNineCaptionsInSlotOrder)
{
    const auto options = ParseViewerOptions(
        {L"text", L"-labels", L"O|C|A|T|R|I|Y|N|" + std::wstring(40, L'x'), L"caption", L"6"});
    ASSERT_TRUE(options.has_value());
    EXPECT_TRUE(options->labelsGiven);
    EXPECT_EQ(options->labels.fromLanguageFile, 1);
    EXPECT_STREQ(options->labels.Caption(ButtonSlot::Ok), L"O");
    EXPECT_STREQ(options->labels.Caption(ButtonSlot::Cancel), L"C");
    EXPECT_STREQ(options->labels.Caption(ButtonSlot::Try), L"T");
    EXPECT_STREQ(options->labels.Caption(ButtonSlot::No), L"N");
    EXPECT_EQ(std::wstring(options->labels.Caption(ButtonSlot::Continue)), std::wstring(31, L'x'));
    EXPECT_EQ(*options->text, L"text");
    EXPECT_EQ(*options->caption, L"caption");
    EXPECT_EQ(options->style, 6u);

    const auto empty = ParseViewerOptions({L"-labels", L"||||||||"});
    ASSERT_TRUE(empty.has_value());
    EXPECT_STREQ(empty->labels.Caption(ButtonSlot::Ok), L"");
    EXPECT_FALSE(empty->text.has_value());
}

TEST(ViewerCommandLine, AnythingElseIsRefused)
{
    const std::vector<std::wstring> refused[] = {
        {L"t", L"c", L""},
        {L"t", L"c", L"0x"},
        {L"t", L"c", L"-1"},
        {L"t", L"c", L"4294967296"},
        {L"t", L"c", L"1", L"2147483648"},
        {L"t", L"c", L"1", L"5s"},
        {L"t", L"c", L"1", L"5", L"extra"},
        {L"-labels"},
        {L"-labels", L"A|B"},
        {L"-labels", L"1|2|3|4|5|6|7|8|9|10"},
    };
    for (const auto& arguments : refused) {
        EXPECT_FALSE(ParseViewerOptions(arguments).has_value()) << arguments.size();
    }
}

}  // namespace
