#include "script_server/script_check.h"

#include <array>
#include <optional>
#include <string>

#include "firmware/decimal_number.h"

namespace {

// The actions as they must appear; the seventh carries the command code
// between its prefix and suffix.
constexpr std::array<std::wstring_view, kNotifyScriptActionCount> kExpectedActions = {
    L"[100=root\\wmi,0,]",
    L"[101=4,3,0,]",
    L"[102=Select * from OrvexMethod,16,]",
    L"[200=-1,]",
    L"[401=__PATH,]",
    L"[104=OrvexMethod,OrvexNotify,]",
    L"",
    L"[300=NotifycationParmeter,0,]",
    L"[105=$(__PATH),0,]",
    L"[301=NotifycationReturnValue,]",
};
constexpr std::size_t kCodeAction = 6;
constexpr std::wstring_view kCodePrefix = L"[300=NotificationCode,";
constexpr std::wstring_view kCodeSuffix = L",]";

// The command code in the seventh action, written as the client writes an
// unsigned number: digits only, no sign, no leading zero.
std::optional<std::uint32_t> ReadCodeAction(std::wstring_view action)
{
    if (!action.starts_with(kCodePrefix) || !action.ends_with(kCodeSuffix) ||
        action.size() <= kCodePrefix.size() + kCodeSuffix.size()) {
        return std::nullopt;
    }
    const std::wstring_view digits =
        action.substr(kCodePrefix.size(), action.size() - kCodePrefix.size() - kCodeSuffix.size());
    const std::optional<std::uint32_t> code = ReadUnsignedDecimal(digits);
    if (!code || std::to_wstring(*code) != digits) {
        return std::nullopt;
    }
    return code;
}

}  // namespace

ScriptCheck CheckNotifyScript(std::wstring_view text)
{
    ScriptCheck check;
    std::size_t start = 0;
    for (std::uint32_t index = 0; index < kNotifyScriptActionCount; ++index) {
        const std::size_t close = text.find(L']', start);
        const std::size_t end = close == std::wstring_view::npos ? text.size() : close + 1;
        const std::wstring_view action = text.substr(start, end - start);
        bool right = false;
        if (index == kCodeAction) {
            const std::optional<std::uint32_t> code = ReadCodeAction(action);
            right = code.has_value();
            check.commandCode = code.value_or(0);
        } else {
            right = action == kExpectedActions[index];
        }
        if (!right) {
            check.wrongAction = index + 1;
            return check;
        }
        start = end;
    }
    if (start != text.size()) {
        check.wrongAction = kNotifyScriptActionCount + 1;
    }
    return check;
}
