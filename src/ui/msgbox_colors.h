#pragma once
// The colours of a message box, in the platform's colour-reference form
// 0x00BBGGRR, and the colours of a button by its state.
#include <cstdint>

using ColorRef = std::uint32_t;

[[nodiscard]] constexpr ColorRef RgbColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) noexcept
{
    return ColorRef{red} | (ColorRef{green} << 8) | (ColorRef{blue} << 16);
}

struct MsgBoxColors {
    ColorRef textColor = RgbColor(255, 255, 255);
    ColorRef bandColor = RgbColor(31, 0, 104);
    ColorRef buttonColor = RgbColor(70, 23, 180);
    ColorRef hoverColor = RgbColor(95, 55, 190);
    ColorRef pressedColor = RgbColor(255, 255, 255);
};

struct ButtonLook {
    ColorRef face;
    ColorRef caption;
};

// The pressed button is drawn in pressedColor with the text colour inverted;
// while any button is pressed no other shows the hover colour; otherwise the
// button under the pointer is in hoverColor and the rest in buttonColor.
[[nodiscard]] ButtonLook LookOfButton(const MsgBoxColors& colors, std::int32_t index, std::int32_t pressedIndex,
                                      bool pointerInside) noexcept;
