#include "app/win32/show_box.h"

#include <windows.h>

#include "ui/win32/orvex_msgbox.h"

std::int32_t ShowOrvexMsgBox(const wchar_t* text, const wchar_t* caption, std::uint32_t style,
                             std::int32_t timeoutSeconds) noexcept
{
    // The box lives for this step only; its destruction releases its icon
    // and fonts and unregisters its classes, also when Init failed.
    OrvexMsgBox box;
    if (box.Init() == 0) {
        return IDOK;
    }
    return box.Show(text, caption, style, timeoutSeconds);
}
