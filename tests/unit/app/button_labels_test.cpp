#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/ground/records.h"

namespace {

TEST(ButtonLabels, SlotsAreFilledFromTheirCatalogEntries)
{
    StringCatalog catalog{};
    catalog.Loaded = 1;
    std::wstring texts[kCatalogEntryCount];
    for (std::size_t i = 0; i < kCatalogEntryCount; ++i) {
        texts[i] = L"text" + std::to_wstring(i);
        catalog.Texts[i] = texts[i].c_str();
    }
    ButtonLabels labels;
    std::memset(&labels, 0x5a, sizeof labels);
    FillButtonLabels(catalog, labels);

    EXPECT_EQ(labels.fromLanguageFile, 1);
    const struct {
        ButtonSlot slot;
        const wchar_t* expected;
    } cases[] = {
        {ButtonSlot::Ok, L"text0"},    {ButtonSlot::Cancel, L"text3"}, {ButtonSlot::Abort, L"text4"},
        {ButtonSlot::Try, L"text7"},   {ButtonSlot::Retry, L"text5"},  {ButtonSlot::Ignore, L"text6"},
        {ButtonSlot::Yes, L"text1"},   {ButtonSlot::No, L"text2"},     {ButtonSlot::Continue, L"text8"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(labels.Caption(c.slot), c.expected);
    }
}

TEST(ButtonLabels, MissingTextsLeaveEmptySlotsAndLongOnesAreCut)
{
    StringCatalog catalog{};
    const std::wstring longCaption(40, L'x');
    const std::wstring exact(31, L'y');
    catalog.Texts[static_cast<std::size_t>(CatalogEntry::BTN_TEXT_OK)] = longCaption.c_str();
    catalog.Texts[static_cast<std::size_t>(CatalogEntry::BTN_TEXT_NO)] = exact.c_str();
    ButtonLabels labels;
    std::memset(&labels, 0x5a, sizeof labels);
    FillButtonLabels(catalog, labels);

    EXPECT_EQ(labels.fromLanguageFile, 0);
    EXPECT_EQ(std::wstring(labels.Caption(ButtonSlot::Ok)), std::wstring(31, L'x'));
    EXPECT_EQ(std::wstring(labels.Caption(ButtonSlot::No)), exact);
    EXPECT_STREQ(labels.Caption(ButtonSlot::Cancel), L"");
    EXPECT_STREQ(labels.Caption(ButtonSlot::Continue), L"");
}

}  // namespace
