#pragma once
// The colours of a message box, in the platform's colour-reference form
// 0x00BBGGRR: its own purple and white, or a high-contrast theme's system
// colours; and the look of a button by its state.
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
    ColorRef frameColor = RgbColor(255, 255, 255);
    ColorRef captionColor = RgbColor(255, 255, 255);          // a button's caption
    ColorRef hoverCaptionColor = RgbColor(255, 255, 255);
    ColorRef pressedCaptionColor = RgbColor(0, 0, 0);
    // The pressed button's frame twice as wide, so that pressed and hover
    // differ in more than colour in a theme whose colours the user chose.
    bool widePressedFrame = false;
};

// The system colours a high-contrast theme sets (COLOR_WINDOW, ...).
struct SystemColors {
    ColorRef window = 0;
    ColorRef windowText = 0;
    ColorRef highlight = 0;
    ColorRef highlightText = 0;
    ColorRef buttonFace = 0;
    ColorRef buttonText = 0;
};

// The box's own colours, whatever the system's, without high contrast. In
// high contrast: the band and its texts in the window's colours, buttons
// framed in the window text's colour with button faces and captions, the
// button under the pointer in the highlight's colours, and the pressed one
// inverted (the button text's colour as its face) inside a wide frame.
[[nodiscard]] MsgBoxColors ColorsOfTheme(bool highContrast, const SystemColors& system) noexcept;

struct ButtonLook {
    ColorRef face;
    ColorRef caption;
    ColorRef frame;
    bool wideFrame;
};

// The pressed button is drawn in pressedColor; while any button is pressed
// no other shows the hover colour; otherwise the button under the pointer
// is in hoverColor and the rest in buttonColor.
[[nodiscard]] ButtonLook LookOfButton(const MsgBoxColors& colors, std::int32_t index, std::int32_t pressedIndex,
                                      bool pointerInside) noexcept;
