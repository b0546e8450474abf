#pragma once
// The script server's check of what a client sent: the ten actions that call
// OrvexMethod.OrvexNotify, exactly as the switcher writes them, with only the
// notification code free.
#include <cstdint>
#include <string_view>

inline constexpr std::uint32_t kNotifyScriptActionCount = 10;

struct ScriptCheck {
    // 0 when the script is right; else the 1-based number of the first
    // action that is wrong or missing (11: something follows the tenth).
    std::uint32_t wrongAction = 0;
    std::uint32_t commandCode = 0;   // valid when wrongAction is 0
};

[[nodiscard]] ScriptCheck CheckNotifyScript(std::wstring_view text);
