#include "ui/msgbox_button.h"

void SetButtonCaption(MsgBoxButton& button, const wchar_t* text) noexcept
{
    std::size_t length = 0;
    if (text != nullptr) {
        while (length + 1 < kCaptionSize && text[length] != L'\0') {
            button.caption[length] = text[length];
            ++length;
        }
    }
    button.caption[length] = L'\0';
}
