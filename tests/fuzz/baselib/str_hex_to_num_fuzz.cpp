// Any bytes as hexadecimal text: the first byte picks the width (including
// widths that are refused), the rest is the text. The output sits between
// guard bytes that must survive, and a result of 1 must agree with a plain
// reading of the digits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "baselib/base_lib_setup.h"

namespace {

BaseLibTable& Table()
{
    static BaseLibTable table{};
    if (table.Initialised == 0 && BaseLib_Setup(1, &table) == 0) {
        std::abort();
    }
    return table;
}

// What the digits after the first "0X" (or all of them) mean, when they
// are all hexadecimal and fit the width; -1 otherwise.
long long Expected(std::string text, std::size_t width)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    const std::size_t prefix = text.find("0X");
    const std::string digits = prefix == std::string::npos ? text : text.substr(prefix + 2);
    if (digits.size() > 2 * width) {
        return -1;
    }
    unsigned long long value = 0;
    for (char c : digits) {
        const char* const at = std::strchr("0123456789ABCDEF", c);
        if (c == '\0' || at == nullptr) {
            return -1;
        }
        value = value * 16 + static_cast<unsigned long long>(at - "0123456789ABCDEF");
    }
    return static_cast<long long>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const auto width = static_cast<std::uint8_t>(data[0] % 6);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string terminated = text.c_str();   // up to the first NUL

    BaseLibTable& table = Table();
    unsigned char output[12];
    std::memset(output, 0xA5, sizeof output);
    const std::uint32_t result = table.BaseLib_StrHexToNum(&table.Context, text.c_str(), output + 4, width);
    for (std::size_t i = 0; i < sizeof output; ++i) {
        const bool inside = i >= 4 && i < 4u + width && (width == 1 || width == 2 || width == 4);
        if (!inside && output[i] != 0xA5) {
            std::abort();
        }
    }
    if (result > 1) {
        std::abort();
    }
    const long long expected = (width == 1 || width == 2 || width == 4) ? Expected(terminated, width) : -1;
    if (expected >= 0 && !terminated.empty()) {
        std::uint32_t stored = 0;
        std::memcpy(&stored, output + 4, width);
        if (result != 1 || stored != static_cast<std::uint32_t>(expected)) {
            std::abort();
        }
    }
    return 0;
}
