#include <gtest/gtest.h>

#include "ui/msgbox_colors.h"
#include "ui/right_to_left.h"

namespace {

TEST(BoxColours, AButtonIsColouredByPressAndPointer)
{
    const MsgBoxColors colors;
    const ColorRef black = 0x00000000;
    const ColorRef white = 0x00FFFFFF;
    const struct {
        std::int32_t index, pressed;
        bool pointerInside;
        ButtonLook expected;
    } cases[] = {
        {0, -1, false, {colors.buttonColor, white}},
        {0, -1, true, {colors.hoverColor, white}},
        {1, -1, true, {colors.hoverColor, white}},
        {0, 0, false, {white, black}},
        {0, 0, true, {white, black}},
        // While one button is pressed no other shows the hover colour.
        {1, 0, true, {colors.buttonColor, white}},
    };
    for (const auto& c : cases) {
        const ButtonLook look = LookOfButton(colors, c.index, c.pressed, c.pointerInside);
        EXPECT_EQ(look.face, c.expected.face) << c.index << " " << c.pressed << " " << c.pointerInside;
        EXPECT_EQ(look.caption, c.expected.caption) << c.index << " " << c.pressed << " " << c.pointerInside;
    }
}

TEST(BoxColours, ThePressedCaptionIsTheTextColourWithItsColourBytesInverted)
{
    MsgBoxColors colors;
    colors.textColor = RgbColor(0x12, 0x34, 0x56);
    colors.pressedColor = RgbColor(1, 2, 3);
    const ButtonLook pressed = LookOfButton(colors, 2, 2, false);
    EXPECT_EQ(pressed.caption, 0x00A9CBEDu) << "colour references keep red in the low byte";
    EXPECT_EQ(pressed.face, RgbColor(1, 2, 3));
    EXPECT_EQ(LookOfButton(colors, 1, 2, true).caption, colors.textColor);
}

TEST(RightToLeft, OnlyTheLayoutBitOfTheSubsetFieldCounts)
{
    const struct {
        std::uint32_t subsets[4];
        bool expected;
    } cases[] = {
        {{0, 0, 0, 0}, false},
        {{0x00000003, 0x10000000, 0, 0}, false},                      // an English locale
        {{0x00000803, 0x00000000, 0, 0x88000000}, true},              // a Hebrew locale
        {{0, 0, 0, 0x08000000}, true},
        {{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xF7FFFFFF}, false},
        {{0, 0, 0x08000000, 0}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsRightToLeftSignature(c.subsets), c.expected) << std::hex << c.subsets[3];
    }
}

}  // namespace
