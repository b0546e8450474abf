// Reading an action from text, and adding one from a code and an argument
// text: the first four bytes are the code, the rest UTF-16LE text. An action
// read holds a code of -1 or 0 to 99999 and non-empty arguments without ","
// or "]", and its own text reads back as the same action.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "firmware/decimal_number.h"
#include "firmware/wmi_script.h"
#include "../utf16_input.h"

namespace {

void CheckAction(const WmiScriptAction& action)
{
    if (action.code != kNoActionCode && (action.code < 0 || action.code > static_cast<std::int32_t>(kHighestActionCode))) {
        std::abort();
    }
    for (const std::wstring& argument : action.arguments) {
        if (argument.empty() || argument.find_first_of(L",]") != std::wstring::npos) {
            std::abort();
        }
    }
    if (ReadWmiScriptAction(WmiScriptActionText(action)) != action) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4) {
        return 0;
    }
    std::int32_t code = 0;
    std::memcpy(&code, data, sizeof code);
    const std::wstring text = Utf16Input(data + 4, size - 4);

    if (const std::optional<WmiScriptAction> action = ReadWmiScriptAction(text)) {
        CheckAction(*action);
    }

    WmiScript script;
    if (!script.AddAction(code, text) || script.Actions().size() != 1) {
        std::abort();   // an action's own text always reads back
    }
    CheckAction(script.Actions()[0]);
    const bool added = script.AddActionText(text);
    if (added != ReadWmiScriptAction(text).has_value()) {
        std::abort();
    }
    // The script holds exactly what its text says.
    WmiScript reread;
    const std::wstring whole = script.Text();
    for (std::size_t start = 0; start < whole.size();) {
        const std::size_t close = whole.find(L']', start);
        if (!reread.AddActionText(std::wstring_view(whole).substr(start, close + 1 - start))) {
            std::abort();
        }
        start = close + 1;
    }
    if (reread.Actions() != script.Actions()) {
        std::abort();
    }

    (void)ReadSignedDecimal(text);
    (void)ReadUnsignedDecimal(text);
    return 0;
}
