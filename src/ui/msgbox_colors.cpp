#include "ui/msgbox_colors.h"

MsgBoxColors ColorsOfTheme(bool highContrast, const SystemColors& system) noexcept
{
    if (!highContrast) {
        return {};
    }
    MsgBoxColors colors;
    colors.textColor = system.windowText;
    colors.bandColor = system.window;
    colors.frameColor = system.windowText;
    colors.buttonColor = system.buttonFace;
    colors.captionColor = system.buttonText;
    colors.hoverColor = system.highlight;
    colors.hoverCaptionColor = system.highlightText;
    colors.pressedColor = system.buttonText;
    colors.pressedCaptionColor = system.buttonFace;
    colors.widePressedFrame = true;
    return colors;
}

ButtonLook LookOfButton(const MsgBoxColors& colors, std::int32_t index, std::int32_t pressedIndex,
                        bool pointerInside) noexcept
{
    if (index == pressedIndex) {
        return {colors.pressedColor, colors.pressedCaptionColor, colors.frameColor, colors.widePressedFrame};
    }
    if (pressedIndex < 0 && pointerInside) {
        return {colors.hoverColor, colors.hoverCaptionColor, colors.frameColor, false};
    }
    return {colors.buttonColor, colors.captionColor, colors.frameColor, false};
}
