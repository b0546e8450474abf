#include "ui/button_labels.h"

void CopyCaption(const wchar_t* text, wchar_t (&caption)[kButtonCaptionSize]) noexcept
{
    std::size_t length = 0;
    if (text != nullptr) {
        while (length + 1 < kButtonCaptionSize && text[length] != L'\0') {
            caption[length] = text[length];
            ++length;
        }
    }
    caption[length] = L'\0';
}
