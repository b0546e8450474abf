#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ui/msgbox_style.h"

namespace {

struct Expected {
    std::int32_t id;
    ButtonSlot slot;
    std::uint32_t systemStringId;
};

struct StyleCase {
    std::uint32_t style;
    std::vector<Expected> buttons;
};

const std::vector<Expected> kSingleOk = {{kIdOk, ButtonSlot::Ok, 905}};

TEST(ButtonSets, TheLowFourBitsChooseButtonsCaptionSlotsAndSystemStrings)
{
    const StyleCase cases[] = {
        {0, kSingleOk},
        {1, {{kIdOk, ButtonSlot::Ok, 800}, {kIdCancel, ButtonSlot::Cancel, 801}}},
        {2, {{kIdAbort, ButtonSlot::Abort, 802}, {kIdRetry, ButtonSlot::Retry, 803}, {kIdIgnore, ButtonSlot::Ignore, 804}}},
        {3, {{kIdYes, ButtonSlot::Yes, 805}, {kIdNo, ButtonSlot::No, 806}, {kIdCancel, ButtonSlot::Cancel, 801}}},
        {4, {{kIdYes, ButtonSlot::Yes, 805}, {kIdNo, ButtonSlot::No, 806}}},
        // The platform's retry/cancel set is not offered.
        {5, kSingleOk},
        {6,
         {{kIdCancel, ButtonSlot::Cancel, 801},
          {kIdTryAgain, ButtonSlot::Try, 809},
          {kIdContinue, ButtonSlot::Continue, 810}}},
        {7, kSingleOk},
        {15, kSingleOk},
        // Icon, default-button and modality bits change nothing.
        {65, {{kIdOk, ButtonSlot::Ok, 800}, {kIdCancel, ButtonSlot::Cancel, 801}}},
        {0x00040304, {{kIdYes, ButtonSlot::Yes, 805}, {kIdNo, ButtonSlot::No, 806}}},
        {0xFFFFFFF0, kSingleOk},
        {0xFFFFFFF6,
         {{kIdCancel, ButtonSlot::Cancel, 801},
          {kIdTryAgain, ButtonSlot::Try, 809},
          {kIdContinue, ButtonSlot::Continue, 810}}},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style);
        const ButtonSet set = ButtonSetOfStyle(c.style);
        ASSERT_EQ(set.count, static_cast<std::int32_t>(c.buttons.size()));
        for (std::size_t i = 0; i < c.buttons.size(); ++i) {
            EXPECT_EQ(set.buttons[i].id, c.buttons[i].id) << "button " << i;
            EXPECT_EQ(set.buttons[i].slot, c.buttons[i].slot) << "button " << i;
            EXPECT_EQ(set.buttons[i].systemStringId, c.buttons[i].systemStringId) << "button " << i;
        }
    }
}

TEST(ButtonSets, BitsFourToSevenChooseThePlatformIcon)
{
    const struct {
        std::uint32_t style;
        std::uint32_t icon;
    } cases[] = {
        {0x00, 0},  {0x10, 32513}, {0x20, 32514}, {0x30, 32515}, {0x40, 32516},        {0x50, 0},
        {0xF0, 0},  {65, 32516},   {0x134, 32515}, {0xFFFFFF1F, 32513}, {0xFFFFFF0F, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IconIdOfStyle(c.style), c.icon) << "style " << c.style;
    }
}

TEST(ButtonSets, EscapeIsAllowedOnlyWhereTheSetCanBeCancelled)
{
    for (std::uint32_t low = 0; low < 16; ++low) {
        const bool allowed = low == 0 || low == 1 || low == 3 || low == 6;
        EXPECT_EQ(EscapeAllowed(low), allowed) << "style " << low;
        EXPECT_EQ(EscapeAllowed(low | 0x40), allowed) << "style " << (low | 0x40);
        EXPECT_EQ(EscapeAllowed(low | 0xFFFFFF00), allowed) << "style " << (low | 0xFFFFFF00);
    }
}

}  // namespace
