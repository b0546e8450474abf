#pragma once
// One button of a message box.
#include <cstddef>
#include <cstdint>

#include "ui/msgbox_geometry.h"

inline constexpr std::size_t kCaptionSize = 32;   // 31 characters and the NUL

struct MsgBoxButton {
    std::int32_t id = 0;           // the answer when it is chosen
    BoxRect rect;                  // client coordinates; an empty one is not drawn
    wchar_t caption[kCaptionSize] = {};
};

// Copies at most 31 characters of text (null counts as empty) and the NUL.
void SetButtonCaption(MsgBoxButton& button, const wchar_t* text) noexcept;
