#pragma once
// A WMI script: the numbered actions that the WMI Script Server carries out
// for us, and their bracketed text, [code=argument,argument,].
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::int32_t kNoActionCode = -1;
inline constexpr std::uint32_t kHighestActionCode = 99999;

struct WmiScriptAction {
    std::int32_t code = kNoActionCode;
    std::vector<std::wstring> arguments;

    friend bool operator==(const WmiScriptAction&, const WmiScriptAction&) = default;
};

// The code an action keeps: codes from 0 to 99999 stay, any other (negative
// ones included) becomes kNoActionCode.
[[nodiscard]] std::int32_t ValidActionCode(std::int32_t code) noexcept;

// The arguments in an argument text: the non-empty pieces between commas.
[[nodiscard]] std::vector<std::wstring> SplitArgumentText(std::wstring_view argumentText);

// "[" code "=" then each argument followed by "," then "]"; an action
// without arguments is written [code=,].
[[nodiscard]] std::wstring WmiScriptActionText(const WmiScriptAction& action);

// The action in a text: from the first "[" to the first "]" after it, with
// the code up to the first "=". Nothing when the text holds no such action.
[[nodiscard]] std::optional<WmiScriptAction> ReadWmiScriptAction(std::wstring_view text);

class WmiScript {
public:
    // Builds the action from code and argument text, writes it as text and
    // appends what that text reads back as, so that the script always holds
    // exactly what its own text says. False when nothing was appended.
    bool AddAction(std::int32_t code, std::wstring_view argumentText);

    // Appends the action that text holds; false (and nothing appended) when
    // the text is not an action.
    bool AddActionText(std::wstring_view text);

    // The texts of the actions in order, joined with nothing between them.
    [[nodiscard]] std::wstring Text() const;

    [[nodiscard]] const std::vector<WmiScriptAction>& Actions() const noexcept { return actions_; }

private:
    std::vector<WmiScriptAction> actions_;
};
