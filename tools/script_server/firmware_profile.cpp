#include "script_server/firmware_profile.h"

#include <algorithm>

namespace {

constexpr int kMaximumProfileDepth = 8;
constexpr std::size_t kFillerFieldCharacters = 64;
constexpr std::uint32_t kLargestReplyBytes = 16u << 20;

bool IsBlank(wchar_t c) noexcept
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

std::wstring_view Trim(std::wstring_view text) noexcept
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

int DigitValue(wchar_t c, int base) noexcept
{
    int digit = 99;
    if (c >= L'0' && c <= L'9') {
        digit = c - L'0';
    } else if (c >= L'a' && c <= L'f') {
        digit = c - L'a' + 10;
    } else if (c >= L'A' && c <= L'F') {
        digit = c - L'A' + 10;
    }
    return digit < base ? digit : -1;
}

// A whole text as a number: decimal with an optional "-", or 0x hex; no
// other characters. Magnitudes above 2^32 - 1 give nothing.
std::optional<std::int64_t> ParseNumber(std::wstring_view text) noexcept
{
    bool negative = false;
    if (!text.empty() && text.front() == L'-') {
        negative = true;
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::int64_t magnitude = 0;
    for (const wchar_t c : text) {
        const int digit = DigitValue(c, base);
        if (digit < 0) {
            return std::nullopt;
        }
        magnitude = magnitude * base + digit;
        if (magnitude > 0xFFFFFFFFll) {
            return std::nullopt;
        }
    }
    return negative ? -magnitude : magnitude;
}

std::optional<std::uint32_t> ParseUnsigned(std::wstring_view text) noexcept
{
    const std::optional<std::int64_t> number = ParseNumber(text);
    if (!number || *number < 0) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*number);
}

std::optional<std::wstring> Unescape(std::wstring_view text)
{
    std::wstring out;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != L'\\') {
            out += text[at];
            continue;
        }
        if (at + 1 < text.size() && text[at + 1] == L'\\') {
            out += L'\\';
            ++at;
            continue;
        }
        if (at + 5 < text.size() && text[at + 1] == L'u') {
            unsigned value = 0;
            for (std::size_t i = at + 2; i < at + 6; ++i) {
                const int digit = DigitValue(text[i], 16);
                if (digit < 0) {
                    return std::nullopt;
                }
                value = value * 16 + static_cast<unsigned>(digit);
            }
            out += static_cast<wchar_t>(value);
            at += 5;
            continue;
        }
        return std::nullopt;
    }
    return out;
}

// The settings that CODE=... applies to: one code's, or those of every code.
CommandBehaviour* Target(FirmwareProfile& profile, std::wstring_view code)
{
    if (code == L"*") {
        return &profile.everyCode;
    }
    const std::optional<std::uint32_t> number = ParseUnsigned(code);
    return number ? &profile.byCode[*number] : nullptr;
}

// A new outcome for target replaces its old one; for every code it replaces
// those of the codes set one by one as well.
CommandBehaviour& ReplaceOutcome(FirmwareProfile& profile, CommandBehaviour& target)
{
    target.ClearOutcome();
    if (&target == &profile.everyCode) {
        for (auto& [code, behaviour] : profile.byCode) {
            behaviour.ClearOutcome();
        }
    }
    return target;
}

bool Fail(std::wstring& error, std::wstring_view name, std::wstring_view value, std::wstring_view why)
{
    error = std::wstring(name) + L" " + std::wstring(value) + L": " + std::wstring(why);
    return false;
}

template <class T>
const T* Resolve(const std::optional<T> CommandBehaviour::*field, const CommandBehaviour* own,
                 const CommandBehaviour& every)
{
    if (own != nullptr && (own->*field).has_value()) {
        return &*(own->*field);
    }
    return (every.*field).has_value() ? &*(every.*field) : nullptr;
}

std::wstring FailureReply(std::int32_t result, std::uint32_t action)
{
    return L"WMIS_HRESULT=" + std::to_wstring(result) + L";WMIS_ActionIndex=" + std::to_wstring(action);
}

// Filler fields "P=xxx;" of at most 64 characters ahead of text, so that no
// field outgrows a reader's buffer; too little room for a field becomes
// trailing ";".
std::wstring PadTo(std::wstring text, std::size_t characters)
{
    if (text.size() >= characters) {
        return text;
    }
    const std::size_t room = characters - text.size();
    if (room < 3) {
        return text + std::wstring(room, L';');
    }
    const std::size_t fields = (room + kFillerFieldCharacters - 1) / kFillerFieldCharacters;
    std::wstring filler;
    filler.reserve(characters);
    for (std::size_t i = 0; i < fields; ++i) {
        const std::size_t size = room / fields + (i < room % fields ? 1 : 0);
        filler += L"P=";
        filler.append(size - 3, L'x');
        filler += L';';
    }
    return filler + text;
}

}  // namespace

const std::map<std::wstring_view, std::wstring_view>& NamedProfiles()
{
    // Each names the case of the switcher's decisions that it leads to.
    static const std::map<std::wstring_view, std::wstring_view> profiles = {
        // Feature usable, legacy support off (24: bits 1-0 = 2), ready
        // (bit 3), enabled (16: bits 30, 5 and 0), switch accepted.
        {L"ready", L"answer 17=0\nanswer 24=10\nanswer 16=0x40000021\nanswer 20=0\n"},
        // BIOS legacy support on: bits 1-0 of 24 are 1.
        {L"legacy", L"profile ready\nanswer 24=9\n"},
        // Legacy support off but not ready: bit 3 of 24 clear.
        {L"not-ready", L"profile ready\nanswer 24=2\n"},
        // The feature is in no usable state: 17 does not answer 0.
        {L"feature-off", L"profile ready\nanswer 17=1\n"},
        // Not set up: bit 5 of 16 clear.
        {L"unconfigured", L"profile ready\nanswer 16=0x40000001\n"},
        // 24 answers with bit 30 set, which counts as no answer.
        {L"state-unknown", L"profile ready\nanswer 24=0x40000000\n"},
        // The firmware turns the switch order down.
        {L"refused", L"profile ready\nanswer 20=1\n"},
        // No OrvexMethod instance: the query of action 3 finds nothing
        // (WBEM_E_NOT_FOUND).
        {L"absent", L"raw *=WMIS_HRESULT=-2147217406;WMIS_ActionIndex=3\n"},
    };
    return profiles;
}

namespace {

// Applies every line of a profile text.
bool ApplyProfileText(FirmwareProfile& profile, std::wstring_view text, std::wstring& error, int depth)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(L'\n', start), text.size());
        const std::wstring_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty()) {
            continue;
        }
        const std::size_t blank = std::min(line.find_first_of(L" \t"), line.size());
        if (!ApplyProfileSetting(profile, line.substr(0, blank), Trim(line.substr(blank)), error, depth)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool ApplyProfileSetting(FirmwareProfile& profile, std::wstring_view name, std::wstring_view value,
                         std::wstring& error, int depth)
{
    if (name == L"profile") {
        if (depth >= kMaximumProfileDepth) {
            return Fail(error, name, value, L"profiles nest too deeply");
        }
        const auto named = NamedProfiles().find(value);
        if (named == NamedProfiles().end()) {
            return Fail(error, name, value, L"not a named profile");
        }
        return ApplyProfileText(profile, named->second, error, depth + 1);
    }
    const std::size_t equals = value.find(L'=');
    if (equals == std::wstring_view::npos) {
        return Fail(error, name, value, L"expected CODE=VALUE");
    }
    CommandBehaviour* target = Target(profile, value.substr(0, equals));
    if (target == nullptr) {
        return Fail(error, name, value, L"not a code");
    }
    const std::wstring_view setting = value.substr(equals + 1);
    if (name == L"answer") {
        std::vector<std::uint32_t> answers;
        std::size_t start = 0;
        while (start <= setting.size()) {
            const std::size_t comma = std::min(setting.find(L',', start), setting.size());
            const std::optional<std::uint32_t> answer = ParseUnsigned(setting.substr(start, comma - start));
            if (!answer) {
                return Fail(error, name, value, L"not an unsigned 32-bit number");
            }
            answers.push_back(*answer);
            start = comma + 1;
        }
        ReplaceOutcome(profile, *target).answers = std::move(answers);
        return true;
    }
    if (name == L"delay" || name == L"size" || name == L"cut") {
        const std::optional<std::uint32_t> number = ParseUnsigned(setting);
        if (!number) {
            return Fail(error, name, value, L"not an unsigned 32-bit number");
        }
        if (name != L"delay" && *number > kLargestReplyBytes) {
            return Fail(error, name, value, L"larger than 16 MiB");
        }
        (name == L"delay" ? target->delayMilliseconds
                          : name == L"size" ? target->replyBytes : target->cutAfterBytes) = *number;
        return true;
    }
    if (name == L"raw") {
        std::optional<std::wstring> text = Unescape(setting);
        if (!text) {
            return Fail(error, name, value, L"bad escape (use \\\\ or \\uXXXX)");
        }
        ReplaceOutcome(profile, *target).rawReply = std::move(*text);
        return true;
    }
    return Fail(error, name, value, L"unknown setting");
}

ComposedReply ComposeReply(const FirmwareProfile& profile, std::uint32_t code, std::size_t callIndex)
{
    const auto found = profile.byCode.find(code);
    const CommandBehaviour* own = found == profile.byCode.end() ? nullptr : &found->second;
    const CommandBehaviour& every = profile.everyCode;
    const CommandBehaviour& outcome = (own != nullptr && own->HasOutcome()) ? *own : every;

    ComposedReply reply;
    if (const std::uint32_t* delay = Resolve(&CommandBehaviour::delayMilliseconds, own, every)) {
        reply.delayMilliseconds = *delay;
    }
    if (outcome.rawReply) {
        reply.text = *outcome.rawReply;
    } else if (!outcome.answers.empty()) {
        const std::uint32_t answer = outcome.answers[std::min(callIndex, outcome.answers.size() - 1)];
        reply.text = L"WMIS_HRESULT=0;NotifycationReturnValue=" + std::to_wstring(answer);
    } else {
        reply.text = FailureReply(kWbemInvalidMethodParameters, kMethodAction);
    }
    if (const std::uint32_t* bytes = Resolve(&CommandBehaviour::replyBytes, own, every)) {
        reply.text = PadTo(std::move(reply.text), *bytes / 2);
    }
    if (const std::uint32_t* bytes = Resolve(&CommandBehaviour::cutAfterBytes, own, every)) {
        reply.text.resize(std::min<std::size_t>(reply.text.size(), *bytes / 2));
        reply.closeAfterReply = true;
    }
    return reply;
}

std::wstring ComposeScriptError(std::uint32_t wrongAction)
{
    return FailureReply(kWbemInvalidParameter, wrongAction);
}
