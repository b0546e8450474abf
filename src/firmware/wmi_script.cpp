#include "firmware/wmi_script.h"

#include "firmware/decimal_number.h"

std::int32_t ValidActionCode(std::int32_t code) noexcept
{
    // Compared as unsigned, so that a negative code counts as too large.
    return static_cast<std::uint32_t>(code) > kHighestActionCode ? kNoActionCode : code;
}

std::vector<std::wstring> SplitArgumentText(std::wstring_view argumentText)
{
    std::vector<std::wstring> pieces;
    std::size_t start = 0;
    while (start <= argumentText.size()) {
        std::size_t end = argumentText.find(L',', start);
        if (end == std::wstring_view::npos) {
            end = argumentText.size();
        }
        if (end > start) {
            pieces.emplace_back(argumentText.substr(start, end - start));
        }
        start = end + 1;
    }
    return pieces;
}

std::wstring WmiScriptActionText(const WmiScriptAction& action)
{
    std::wstring text = L"[" + std::to_wstring(action.code) + L"=";
    if (action.arguments.empty()) {
        text += L',';
    }
    for (const std::wstring& argument : action.arguments) {
        text += argument;
        text += L',';
    }
    text += L']';
    return text;
}

std::optional<WmiScriptAction> ReadWmiScriptAction(std::wstring_view text)
{
    const std::size_t open = text.find(L'[');
    if (open == std::wstring_view::npos) {
        return std::nullopt;
    }
    const std::size_t close = text.find(L']', open + 1);
    if (close == std::wstring_view::npos) {
        return std::nullopt;
    }
    const std::size_t equals = text.find(L'=', open + 1);
    if (equals == std::wstring_view::npos || equals == open + 1 || equals > close) {
        return std::nullopt;
    }
    WmiScriptAction action;
    if (const std::optional<std::int32_t> code = ReadSignedDecimal(text.substr(open + 1, equals - open - 1))) {
        action.code = ValidActionCode(*code);
    }
    // close is the first "]", so between "=" and close only "," separates.
    action.arguments = SplitArgumentText(text.substr(equals + 1, close - equals - 1));
    return action;
}

bool WmiScript::AddAction(std::int32_t code, std::wstring_view argumentText)
{
    WmiScriptAction action;
    action.code = ValidActionCode(code);
    action.arguments = SplitArgumentText(argumentText);
    return AddActionText(WmiScriptActionText(action));
}

bool WmiScript::AddActionText(std::wstring_view text)
{
    std::optional<WmiScriptAction> action = ReadWmiScriptAction(text);
    if (!action) {
        return false;
    }
    actions_.push_back(std::move(*action));
    return true;
}

std::wstring WmiScript::Text() const
{
    std::wstring text;
    for (const WmiScriptAction& action : actions_) {
        text += WmiScriptActionText(action);
    }
    return text;
}
