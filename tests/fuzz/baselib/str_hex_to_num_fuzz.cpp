// Hexadecimal text into a number: the first byte chooses the width (valid
// or not), the rest is the text. Only the width's bytes may be written.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "baselib/base_lib_setup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static BaseLibTable table{};
    if (size == 0 || (table.Initialised == 0 && BaseLib_Setup(1, &table) == 0)) {
        return 0;
    }
    const auto width = static_cast<std::uint8_t>(data[0] % 6);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    unsigned char output[12];
    std::memset(output, 0xA5, sizeof output);
    (void)table.BaseLib_StrHexToNum(&table.Context, text.c_str(), output + 4, width);
    for (std::size_t i = 8; i < sizeof output; ++i) {
        if (output[i] != 0xA5 || output[i - 8] != 0xA5) {
            std::abort();
        }
    }
    return 0;
}
