#pragma once
#include <cstdint>

// What the language load asks of the platform.
class LanguagePlatform {
public:
    // The system's default locale identifier (GetSystemDefaultLCID).
    [[nodiscard]] virtual std::uint32_t SystemDefaultLocale() const noexcept = 0;
    // UTF-8 to UTF-16 with the contract of MultiByteToWideChar(CP_UTF8, 0,
    // text, -1, buffer, bufferUnits): the NUL is converted too; a null buffer
    // with 0 units asks for the units needed; the result is the units
    // written or needed, 0 on failure (bad text, no room).
    [[nodiscard]] virtual int Utf8ToWide(const char* text, wchar_t* buffer, int bufferUnits) const noexcept = 0;

protected:
    ~LanguagePlatform() = default;
};
