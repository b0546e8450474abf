#pragma once
// One button of a message box.
#include <cstdint>

#include "ui/button_labels.h"
#include "ui/msgbox_geometry.h"

struct MsgBoxButton {
    std::int32_t id = 0;           // the answer when it is chosen
    BoxRect rect;                  // client coordinates; an empty one is not drawn
    wchar_t caption[kButtonCaptionSize] = {};   // set with CopyCaption
};
