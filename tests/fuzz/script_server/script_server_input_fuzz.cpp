// What the stand-in script server reads: a client's script (first byte
// even) or a profile text (odd), as UTF-16LE.
#include <cstdint>
#include <string>

#include "script_server/firmware_profile.h"
#include "script_server/script_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    std::wstring text;
    for (std::size_t i = 1; i + 1 < size; i += 2) {
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    }
    if ((data[0] & 1) == 0) {
        (void)CheckNotifyScript(text);
        return 0;
    }
    FirmwareProfile profile;
    std::wstring error;
    if (ApplyProfileText(profile, text, {}, error)) {
        (void)ComposeReply(profile, 16, data[0] >> 1);
    }
    return 0;
}
