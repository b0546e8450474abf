#pragma once
// The command-line rules: which argument selects which action.
#include <cstdint>
#include <string_view>

// The action number that the command line selects; 0 means nothing to do.
enum class ProgramAction : std::int32_t {
    None = 0,
    S3 = 1,
    S4 = 2,
    S5 = 3,
    Hybrid = 4,
    Shutdown = 5,
    Reboot = 6,
    TaskbarPin = 7,
    TaskbarUnpin = 8,
    Config = 9,
    Switch = 10,
    SwitchNow = 11,
};

inline constexpr ProgramAction kDefaultAction = ProgramAction::Switch;

// Compares two arguments whole; only the letters A to Z fold to a to z.
[[nodiscard]] bool EqualsIgnoringAsciiCase(std::wstring_view left, std::wstring_view right) noexcept;

// What one argument does to the running choice.
struct ArgumentEffect {
    bool clearsShowMsg;      // "-nomsg": the action stays as it was
    ProgramAction action;    // meaningful only when clearsShowMsg is false
};

[[nodiscard]] ArgumentEffect ClassifyArgument(std::wstring_view argument) noexcept;

// Applies the arguments after the program path in command-line order: the
// last one other than "-nomsg" decides. showMsgCleared reports "-nomsg".
template <typename Range>
[[nodiscard]] ProgramAction ChooseAction(const Range& arguments, bool& showMsgCleared) noexcept
{
    ProgramAction action = kDefaultAction;
    showMsgCleared = false;
    for (const auto& argument : arguments) {
        const ArgumentEffect effect = ClassifyArgument(argument);
        if (effect.clearsShowMsg) {
            showMsgCleared = true;
        } else {
            action = effect.action;
        }
    }
    return action;
}
