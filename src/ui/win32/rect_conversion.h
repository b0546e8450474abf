#pragma once
// The layout's rectangles as the platform's and back.
#include <windows.h>

#include "ui/msgbox_geometry.h"

[[nodiscard]] inline RECT ToRect(const BoxRect& rect) noexcept
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

[[nodiscard]] inline BoxRect ToBoxRect(const RECT& rect) noexcept
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}
