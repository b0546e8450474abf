#include "portable_utf8.h"

#include <cstddef>
#include <cstdint>
#include <vector>


namespace {

std::vector<std::uint32_t> Decode(const char* text)
{
    std::vector<std::uint32_t> units;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t i = 0;
    while (bytes[i] != 0) {
        const unsigned char lead = bytes[i];
        std::size_t extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2
                                                : (lead & 0xF8) == 0xF0 ? 3 : 4;
        std::uint32_t code = extra == 0 ? lead : extra == 1 ? lead & 0x1Fu : extra == 2 ? lead & 0x0Fu : lead & 0x07u;
        bool good = extra < 4;
        for (std::size_t k = 1; good && k <= extra; ++k) {
            good = (bytes[i + k] & 0xC0) == 0x80;
            code = (code << 6) | (bytes[i + k] & 0x3Fu);
        }
        const std::uint32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        good = good && code >= smallest[extra] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (!good) {
            units.push_back(0xFFFD);
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            units.push_back(0xD800 + ((code - 0x10000) >> 10));
            units.push_back(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            units.push_back(code);
        }
        i += extra + 1;
    }
    units.push_back(0);
    return units;
}

}  // namespace

int PortableUtf8ToWide(const char* text, wchar_t* buffer, int bufferUnits) noexcept
{
    if (text == nullptr || bufferUnits < 0 || (buffer == nullptr && bufferUnits != 0)) {
        return 0;
    }
    const std::vector<std::uint32_t> units = Decode(text);
    const auto needed = static_cast<int>(units.size());
    if (bufferUnits == 0) {
        return needed;
    }
    if (bufferUnits < needed) {
        return 0;
    }
    for (int i = 0; i < needed; ++i) {
        buffer[i] = static_cast<wchar_t>(units[static_cast<std::size_t>(i)]);
    }
    return needed;
}
