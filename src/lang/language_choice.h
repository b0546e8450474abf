#pragma once
// The choice of the language whose sections fill the string catalog.
#include <cstdint>

#include "lang/string_catalog.h"

// English (United States): the language of every system that the file does
// not otherwise serve.
inline constexpr std::uint16_t kFallbackLanguage = 0x0409;

// The language to load, from the system's default locale, the language that
// the file's [GENERAL] section names (0: choose automatically) and the
// languages it offers (the first 0 ends the list).
[[nodiscard]] std::uint16_t ChooseLanguage(std::uint32_t systemLocale,
                                           std::uint16_t languageIdentifier,
                                           const std::uint32_t (&supportsList)[kLanguageSupportsListSize]) noexcept;
