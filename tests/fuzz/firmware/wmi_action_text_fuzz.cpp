// Any UTF-16LE text read as a script action: what it reads as must read back
// the same from its own text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "firmware/wmi_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    }
    const auto action = ReadWmiScriptAction(text);
    if (action && ReadWmiScriptAction(WmiScriptActionText(*action)) != action) {
        std::abort();
    }
    return 0;
}
