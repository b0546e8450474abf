#include "lang/language_choice.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct ChoiceCase {
    const char* name;
    std::uint32_t systemLocale;
    std::uint16_t languageIdentifier;
    std::uint16_t expected;
};

// The list of the built-in file: English, Traditional Chinese, Simplified
// Chinese, Japanese, then the zero that ends it.
constexpr std::uint32_t kBuiltInList[kLanguageSupportsListSize] = {0x0409, 0x0404, 0x0804, 0x0411};

TEST(LanguageChoice, FollowsTheSystemLocaleUnlessTheFileNamesALanguage)
{
    const ChoiceCase cases[] = {
        {"English (United States) is offered", 0x0409, 0, 0x0409},
        {"Chinese (Taiwan) is offered", 0x0404, 0, 0x0404},
        {"Chinese (PRC) is offered", 0x0804, 0, 0x0804},
        {"Japanese is offered", 0x0411, 0, 0x0411},
        {"Chinese (Hong Kong SAR) takes the first Chinese entry", 0x0C04, 0, 0x0404},
        {"English (United Kingdom) takes English (United States)", 0x0809, 0, 0x0409},
        {"Korean is not offered", 0x0412, 0, 0x0409},
        {"a locale with a sort order matches by primary language", 0x00020411, 0, 0x0411},
        {"a neutral locale falls back to English", 0x0000, 0, 0x0409},
        {"the file's Simplified Chinese wins on an English system", 0x0409, 0x0804, 0x0804},
        {"the file's Simplified Chinese wins on a Korean system", 0x0412, 0x0804, 0x0804},
        {"the file's German is taken although nothing offers it", 0x0411, 0x0407, 0x0407},
    };
    for (const ChoiceCase& c : cases) {
        EXPECT_EQ(ChooseLanguage(c.systemLocale, c.languageIdentifier, kBuiltInList), c.expected) << c.name;
    }
}

TEST(LanguageChoice, ReadsTheListAsTheFileOrdersIt)
{
    struct ListCase {
        const char* name;
        std::uint32_t list[kLanguageSupportsListSize];
        std::uint32_t systemLocale;
        std::uint16_t expected;
    };
    const ListCase cases[] = {
        {"an exact entry beats an earlier one of the same primary language", {0x0404, 0x0C04}, 0x0C04, 0x0C04},
        {"the exact scan stops at the first zero", {0x0404, 0, 0x0C04}, 0x0C04, 0x0404},
        {"the primary-language scan goes past a zero", {0x0409, 0, 0x0411}, 0x0811, 0x0411},
        {"the last of 32 entries is still read", {0x0409, 0x0409, 0x0409, 0x0409, 0x0409, 0x0409, 0x0409, 0x0409,
                                                  0x0409, 0x0409, 0x0409, 0x0409, 0x0409, 0x0409, 0x0409, 0x0409,
                                                  0x0409, 0x0409, 0x0409, 0x0409, 0x0409, 0x0409, 0x0409, 0x0409,
                                                  0x0409, 0x0409, 0x0409, 0x0409, 0x0409, 0x0409, 0x0409, 0x0412},
         0x0412, 0x0412},
        {"an entry beyond 16 bits gives its low 16 bits", {0x00010412}, 0x0812, 0x0412},
        {"an entry whose low 16 bits are 0 gives English", {0x00010000}, 0x0400, 0x0409},
        {"an empty list gives English", {}, 0x0411, 0x0409},
    };
    for (const ListCase& c : cases) {
        EXPECT_EQ(ChooseLanguage(c.systemLocale, 0, c.list), c.expected) << c.name;
    }
}

}  // namespace
