// The command-line choice: arguments are the input's UTF-16LE text split at
// NULs. The action chosen is always one of the table's, and "-nomsg" never
// decides.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/program/program_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    }
    std::vector<std::wstring> arguments;
    std::size_t start = 0;
    for (std::size_t end = text.find(L'\0'); end != std::wstring::npos; end = text.find(L'\0', start)) {
        arguments.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    arguments.push_back(text.substr(start));

    bool showMsgCleared = false;
    const ProgramAction action = ChooseAction(arguments, showMsgCleared);
    const auto number = static_cast<std::int32_t>(action);
    if (number < 0 || number > static_cast<std::int32_t>(ProgramAction::SwitchNow)) {
        std::abort();
    }

    // Appending "-nomsg" clears the message policy and keeps the choice.
    arguments.push_back(L"-NoMsg");
    bool clearedNow = false;
    if (ChooseAction(arguments, clearedNow) != action || !clearedNow) {
        std::abort();
    }
    return 0;
}
