#include "firmware/wmi_script_results.h"

#include <algorithm>

#include "baselib/ascii_case.h"

bool WmiKeyLess::operator()(std::wstring_view left, std::wstring_view right) const noexcept
{
    return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(),
                                        [](wchar_t a, wchar_t b) { return FoldAsciiCase(a) < FoldAsciiCase(b); });
}

void WmiScriptResults::Store(std::wstring_view key, std::wstring_view value)
{
    const auto found = entries_.find(key);
    if (found != entries_.end()) {
        found->second.assign(value);
        return;
    }
    entries_.emplace(std::wstring(key), std::wstring(value));
}

std::wstring WmiScriptResults::Read(std::wstring_view key) const
{
    const auto found = entries_.find(key);
    return found == entries_.end() ? std::wstring() : found->second;
}

bool WmiScriptResults::Contains(std::wstring_view key) const
{
    return entries_.find(key) != entries_.end();
}
