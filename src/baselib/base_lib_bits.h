#pragma once
// The bit tests of a BaseLibTable (slots 27 and 28). They take no context.
#include <cstdint>

std::uint32_t BaseLib_BitIsSet(std::uint32_t value, std::uint32_t bit) noexcept;
std::uint32_t BaseLib_BitIsClear(std::uint32_t value, std::uint32_t bit) noexcept;
