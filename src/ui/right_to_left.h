#pragma once
// Whether a locale reads right to left, from the Unicode-subset bits of its
// locale signature (the platform's LOCALESIGNATURE).
#include <cstdint>

// Bit 123 of the subset field, which the platform sets for right-to-left
// layout: bit 27 of the fourth 32-bit word.
[[nodiscard]] bool IsRightToLeftSignature(const std::uint32_t (&unicodeSubsets)[4]) noexcept;
