#include "firmware/decimal_number.h"

namespace {

struct DecimalText {
    bool negative = false;
    bool overflow = false;       // larger than any 32-bit number
    std::uint64_t magnitude = 0;
};

bool IsBlank(wchar_t c) noexcept
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

std::optional<DecimalText> ReadDecimalText(std::wstring_view text) noexcept
{
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    DecimalText number;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
        number.negative = text[at] == L'-';
        ++at;
    }
    const std::size_t firstDigit = at;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
        // Past 2^32 the exact size no longer matters; stop before the
        // 64-bit accumulator could wrap.
        if (!number.overflow) {
            number.magnitude = number.magnitude * 10 + static_cast<std::uint64_t>(text[at] - L'0');
            number.overflow = number.magnitude > 0xFFFFFFFFull;
        }
    }
    if (at == firstDigit) {
        return std::nullopt;
    }
    return number;
}

}  // namespace

std::optional<std::int32_t> ReadSignedDecimal(std::wstring_view text) noexcept
{
    const std::optional<DecimalText> number = ReadDecimalText(text);
    if (!number || number->overflow) {
        return std::nullopt;
    }
    const std::uint64_t limit = number->negative ? 0x80000000ull : 0x7FFFFFFFull;
    if (number->magnitude > limit) {
        return std::nullopt;
    }
    const std::int64_t signedValue =
        number->negative ? -static_cast<std::int64_t>(number->magnitude) : static_cast<std::int64_t>(number->magnitude);
    return static_cast<std::int32_t>(signedValue);
}

std::optional<std::uint32_t> ReadUnsignedDecimal(std::wstring_view text) noexcept
{
    const std::optional<DecimalText> number = ReadDecimalText(text);
    if (!number || number->overflow || (number->negative && number->magnitude != 0)) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(number->magnitude);
}
