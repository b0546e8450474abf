// What the stand-in script server reads: scripts from clients and profile
// texts. The first byte chooses which, the rest is UTF-16LE text. A script
// that passes the check is, character for character, the one the switcher
// writes for its code.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../utf16_input.h"
#include "firmware/orvex_notify_script.h"
#include "script_server/firmware_profile.h"
#include "script_server/script_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::wstring text = Utf16Input(data + 1, size - 1);
    if ((data[0] & 1) == 0) {
        const ScriptCheck check = CheckNotifyScript(text);
        if (check.wrongAction > kNotifyScriptActionCount + 1) {
            std::abort();
        }
        if ((check.wrongAction == 0) != (text == BuildOrvexNotifyScript(check.commandCode).Text())) {
            std::abort();
        }
        return 0;
    }
    FirmwareProfile profile;
    std::wstring error;
    const bool applied = ApplyProfileText(profile, text, {}, error);
    if (!applied && error.empty()) {
        std::abort();   // a refusal always says why
    }
    for (const std::uint32_t code : {16u, 17u, 20u, 24u, 0u}) {
        (void)ComposeReply(profile, code, data[0] >> 1);
    }
    return 0;
}
