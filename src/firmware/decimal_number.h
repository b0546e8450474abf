#pragma once
// Numbers in the texts that the script server sends back: decimal, after
// any leading blanks, with an optional sign, up to the first character that
// is not a digit.
#include <cstdint>
#include <optional>
#include <string_view>

// No number when the text does not begin with one or the number does not fit
// in 32 signed bits.
[[nodiscard]] std::optional<std::int32_t> ReadSignedDecimal(std::wstring_view text) noexcept;

// No number when the text does not begin with one or the number does not fit
// in 32 unsigned bits (a negative number does not, -0 does).
[[nodiscard]] std::optional<std::uint32_t> ReadUnsignedDecimal(std::wstring_view text) noexcept;
