#include "ui/right_to_left.h"

bool IsRightToLeftSignature(const std::uint32_t (&unicodeSubsets)[4]) noexcept
{
    return (unicodeSubsets[3] & (std::uint32_t{1} << 27)) != 0;
}
