#include "baselib/base_lib_bits.h"

std::uint32_t BaseLib_BitIsSet(std::uint32_t value, std::uint32_t bit) noexcept
{
    return (value >> (bit % 32)) & 1u;
}

std::uint32_t BaseLib_BitIsClear(std::uint32_t value, std::uint32_t bit) noexcept
{
    return BaseLib_BitIsSet(value, bit) ^ 1u;
}
