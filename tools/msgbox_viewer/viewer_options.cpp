#include "viewer_options.h"

#include <cstddef>
#include <cwchar>

namespace {

// A whole number in the given range, with an optional sign and "0x" prefix;
// nothing for anything else.
std::optional<std::int64_t> ParseNumber(const std::wstring& text, std::int64_t lowest, std::int64_t highest)
{
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == L'-' || text[at] == L'+')) {
        negative = text[at] == L'-';
        ++at;
    }
    int base = 10;
    if (text.size() - at > 2 && text[at] == L'0' && (text[at + 1] == L'x' || text[at + 1] == L'X')) {
        base = 16;
        at += 2;
    }
    if (at >= text.size()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (; at < text.size(); ++at) {
        const wchar_t c = text[at];
        int digit = 0;
        if (c >= L'0' && c <= L'9') {
            digit = c - L'0';
        } else if (base == 16 && c >= L'a' && c <= L'f') {
            digit = c - L'a' + 10;
        } else if (base == 16 && c >= L'A' && c <= L'F') {
            digit = c - L'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > std::int64_t{0xFFFFFFFF} + 1) {
            return std::nullopt;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value < lowest || value > highest) {
        return std::nullopt;
    }
    return value;
}

bool ParseLabels(const std::wstring& list, ButtonLabels& labels)
{
    labels = ButtonLabels{};
    labels.fromLanguageFile = 1;
    std::size_t slot = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = list.find(L'|', start);
        const std::wstring caption = list.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (slot >= kButtonSlotCount) {
            return false;
        }
        CopyCaption(caption.c_str(), labels.Captions[slot]);
        ++slot;
        if (end == std::wstring::npos) {
            break;
        }
        start = end + 1;
    }
    return slot == kButtonSlotCount;
}

}  // namespace

std::optional<ViewerOptions> ParseViewerOptions(const std::vector<std::wstring>& arguments)
{
    ViewerOptions options;
    std::vector<std::wstring> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == L"-labels") {
            if (i + 1 >= arguments.size() || !ParseLabels(arguments[i + 1], options.labels)) {
                return std::nullopt;
            }
            options.labelsGiven = true;
            ++i;
        } else if (arguments[i] == L"-repeat") {
            const auto repeat = i + 1 < arguments.size() ? ParseNumber(arguments[i + 1], 1, 1000) : std::nullopt;
            if (!repeat) {
                return std::nullopt;
            }
            options.repeat = static_cast<std::int32_t>(*repeat);
            ++i;
        } else {
            positional.push_back(arguments[i]);
        }
    }
    if (positional.size() > 4) {
        return std::nullopt;
    }
    if (positional.size() > 0) {
        options.text = positional[0];
    }
    if (positional.size() > 1) {
        options.caption = positional[1];
    }
    if (positional.size() > 2) {
        const auto style = ParseNumber(positional[2], 0, 0xFFFFFFFF);
        if (!style) {
            return std::nullopt;
        }
        options.style = static_cast<std::uint32_t>(*style);
    }
    if (positional.size() > 3) {
        const auto timeout = ParseNumber(positional[3], INT32_MIN, INT32_MAX);
        if (!timeout) {
            return std::nullopt;
        }
        options.timeoutSeconds = static_cast<std::int32_t>(*timeout);
    }
    return options;
}
