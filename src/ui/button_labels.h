#pragma once
// The nine button captions that every message box copies when it is made:
// from the language file, or empty for the platform's own captions.
#include <cstddef>
#include <cstdint>

// The nine caption slots of every message box. The slot order differs from
// the catalog order of the BTN_TEXT_ keys.
enum class ButtonSlot : std::uint32_t { Ok, Cancel, Abort, Try, Retry, Ignore, Yes, No, Continue };

inline constexpr std::size_t kButtonSlotCount = 9;
inline constexpr std::size_t kButtonCaptionSize = 32;   // 31 characters and the NUL

struct ButtonLabels {
    std::uint8_t fromLanguageFile;
    wchar_t Captions[kButtonSlotCount][kButtonCaptionSize];

    [[nodiscard]] const wchar_t* Caption(ButtonSlot slot) const noexcept
    {
        return Captions[static_cast<std::size_t>(slot)];
    }
};

// Copies text into a caption, cut to 31 characters and always ended by a
// NUL: a caption too long for its slot still gets its button. Null leaves
// the caption empty.
void CopyCaption(const wchar_t* text, wchar_t (&caption)[kButtonCaptionSize]) noexcept;
