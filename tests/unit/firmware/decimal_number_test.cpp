#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "firmware/decimal_number.h"

namespace {

struct DecimalCase {
    std::wstring text;
    std::optional<std::int32_t> asSigned;
    std::optional<std::uint32_t> asUnsigned;
};

TEST(DecimalNumber, ReadsLeadingBlanksSignAndDigitsWithinTheRangeOfItsType)
{
    const DecimalCase cases[] = {
        {L"0", 0, 0u},
        {L"+7", 7, 7u},
        {L"-0", 0, 0u},
        {L"-5", -5, std::nullopt},
        {L" \t\r\n\v\f12", 12, 12u},
        {L"12abc", 12, 12u},
        {L"0x10", 0, 0u},
        {L"2147483647", 2147483647, 2147483647u},
        {L"-2147483648", INT32_MIN, std::nullopt},
        {L"2147483648", std::nullopt, 2147483648u},
        {L"-2147483649", std::nullopt, std::nullopt},
        {L"4294967295", std::nullopt, 4294967295u},
        {L"4294967296", std::nullopt, std::nullopt},
        {L"99999999999999999999999999999", std::nullopt, std::nullopt},
        {L"", std::nullopt, std::nullopt},
        {L"   ", std::nullopt, std::nullopt},
        {L"+-1", std::nullopt, std::nullopt},
        {L"- 1", std::nullopt, std::nullopt},
        {L"\uFF11", std::nullopt, std::nullopt},   // digits of other scripts are no digits
    };
    for (const DecimalCase& c : cases) {
        EXPECT_EQ(ReadSignedDecimal(c.text), c.asSigned) << "signed: \"" << std::string(c.text.begin(), c.text.end()) << '"';
        EXPECT_EQ(ReadUnsignedDecimal(c.text), c.asUnsigned)
            << "unsigned: \"" << std::string(c.text.begin(), c.text.end()) << '"';
    }
}

}  // namespace
