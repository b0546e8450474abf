#include "lang/language_choice.h"

namespace {

// The primary language is the low 10 bits of a language or locale identifier.
constexpr std::uint32_t kPrimaryLanguageMask = 0x3FF;

}  // namespace

std::uint16_t ChooseLanguage(std::uint32_t systemLocale,
                             std::uint16_t languageIdentifier,
                             const std::uint32_t (&supportsList)[kLanguageSupportsListSize]) noexcept
{
    // A language named in the file wins on every system, offered or not.
    if (languageIdentifier != 0) {
        return languageIdentifier;
    }

    std::uint32_t chosen = 0;
    bool found = false;
    for (std::uint32_t entry : supportsList) {
        if (entry == 0) {
            break;
        }
        if (entry == systemLocale) {
            chosen = entry;
            found = true;
            break;
        }
    }

    // Otherwise the first entry of the same primary language, say Chinese
    // (Taiwan) for Chinese (Hong Kong SAR). This scan does not stop at a zero
    // entry, so a locale whose primary language is 0 lands on one and falls
    // back below.
    if (!found) {
        for (std::uint32_t entry : supportsList) {
            if ((entry & kPrimaryLanguageMask) == (systemLocale & kPrimaryLanguageMask)) {
                chosen = entry;
                found = true;
                break;
            }
        }
    }

    const auto language = static_cast<std::uint16_t>(chosen & 0xFFFF);
    return found && language != 0 ? language : kFallbackLanguage;
}
