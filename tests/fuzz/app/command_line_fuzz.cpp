// The command-line choice over arguments made of the input's UTF-16LE text
// split at NULs: the action is always one of the table's, and an added
// "-nomsg" clears the message policy without changing it.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/program/program_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::wstring> arguments(1);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const auto unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (unit == L'\0') {
            arguments.emplace_back();
        } else {
            arguments.back() += unit;
        }
    }
    bool cleared = false, clearedNow = false;
    const ProgramAction action = ChooseAction(arguments, cleared);
    if (static_cast<std::uint32_t>(action) > static_cast<std::uint32_t>(ProgramAction::SwitchNow)) {
        std::abort();
    }
    arguments.emplace_back(L"-NoMsg");
    if (ChooseAction(arguments, clearedNow) != action || !clearedNow) {
        std::abort();
    }
    return 0;
}
