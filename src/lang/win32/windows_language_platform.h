#pragma once
// The language load's platform on this machine: the system's default locale
// and MultiByteToWideChar.
#include "lang/language_platform.h"

class WindowsLanguagePlatform final : public LanguagePlatform {
public:
    constexpr WindowsLanguagePlatform() noexcept = default;

    [[nodiscard]] std::uint32_t SystemDefaultLocale() const noexcept override;
    [[nodiscard]] int Utf8ToWide(const char* text, wchar_t* buffer, int bufferUnits) const noexcept override;
};
