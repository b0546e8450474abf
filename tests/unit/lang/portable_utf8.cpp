#include "portable_utf8.h"

#include <cstdint>
#include <string>

int PortableUtf8ToWide(const char* text, wchar_t* buffer, int bufferUnits) noexcept
{
    if (text == nullptr || bufferUnits < 0) {
        return 0;
    }
    std::wstring units;
    for (const auto* byte = reinterpret_cast<const unsigned char*>(text); *byte != 0;) {
        const int extra = *byte < 0xC0 ? 0 : *byte < 0xE0 ? 1 : *byte < 0xF0 ? 2 : 3;
        std::uint32_t code = *byte++ & (0x7Fu >> extra);
        for (int k = 0; k < extra && (*byte & 0xC0) == 0x80; ++k) {
            code = (code << 6) | (*byte++ & 0x3Fu);
        }
        if (code >= 0x10000) {
            units += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
            code = 0xDC00 + (code & 0x3FF);
        }
        units += static_cast<wchar_t>(code);
    }
    const auto needed = static_cast<int>(units.size() + 1);
    if (bufferUnits == 0 || bufferUnits < needed || buffer == nullptr) {
        return bufferUnits == 0 ? needed : 0;
    }
    units.copy(buffer, units.size());
    buffer[units.size()] = L'\0';
    return needed;
}
