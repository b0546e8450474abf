#include "ui/msgbox_colors.h"

ButtonLook LookOfButton(const MsgBoxColors& colors, std::int32_t index, std::int32_t pressedIndex,
                        bool pointerInside) noexcept
{
    if (index == pressedIndex) {
        return {colors.pressedColor, colors.textColor ^ 0x00FFFFFFu};
    }
    if (pressedIndex < 0 && pointerInside) {
        return {colors.hoverColor, colors.textColor};
    }
    return {colors.buttonColor, colors.textColor};
}
