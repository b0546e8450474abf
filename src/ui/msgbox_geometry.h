#pragma once
// Where the parts of a message box go: the band across the screen, the
// buttons at its lower right, the text column with the caption line and the
// message, and the icon left of the column. All distances are device pixels;
// divisions truncate toward zero.
#include <cstdint>

struct BoxRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    [[nodiscard]] constexpr bool IsEmpty() const noexcept { return right <= left || bottom <= top; }
    // The left and top edges belong to the rectangle, the right and bottom
    // edges do not, as with the platform's rectangles.
    [[nodiscard]] constexpr bool Contains(std::int32_t x, std::int32_t y) const noexcept
    {
        return x >= left && x < right && y >= top && y < bottom;
    }
    friend constexpr bool operator==(const BoxRect&, const BoxRect&) = default;
};

struct BoxPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend constexpr bool operator==(const BoxPoint&, const BoxPoint&) = default;
};

inline constexpr std::int32_t kButtonWidth = 90;
inline constexpr std::int32_t kButtonHeight = 32;
inline constexpr std::int32_t kButtonGap = 15;
inline constexpr std::int32_t kButtonFrame = 2;   // white frame around the face
inline constexpr std::int32_t kFocusInset = 2;    // focus mark inside the face
inline constexpr std::int32_t kMaxButtons = 3;

struct MsgBoxButton;

// The band height before the texts are measured, and the least it may be.
inline constexpr std::int32_t kBandBaseHeight = 30;
[[nodiscard]] std::int32_t MinimumBandHeight(std::int32_t iconHeight) noexcept;

// The rectangle the caption and the text are measured in: half the width
// less the space of the rightmost button, as high as the least band height.
[[nodiscard]] BoxRect MeasuringRect(std::int32_t width, std::int32_t minimumHeight) noexcept;

// The band height from the measured heights of the caption line and the
// text: each with 10 pixels below it, 32 for the buttons, never lower than
// the icon allows.
[[nodiscard]] std::int32_t BandHeight(std::int32_t captionHeight, std::int32_t textHeight,
                                      std::int32_t iconHeight) noexcept;

// Right-aligns the first count buttons at three quarters of the width, their
// bottoms 15 pixels above the bottom of a band of bandHeight centred in
// height; index 0 is the leftmost. A count outside 1..3 places nothing.
void PlaceButtons(MsgBoxButton* buttons, std::int32_t count, std::int32_t width, std::int32_t height,
                  std::int32_t bandHeight) noexcept;

// The band: the whole width starting at left, centred in height.
[[nodiscard]] BoxRect BandRect(std::int32_t left, std::int32_t width, std::int32_t height,
                               std::int32_t bandHeight) noexcept;

// The column of the caption line and the text: from a quarter of the band's
// width to 15 pixels left of the rightmost button, 15 pixels inside the band
// at top and bottom. The caption line starts as this rectangle.
[[nodiscard]] BoxRect TextColumn(const BoxRect& band, std::int32_t rightmostButtonLeft) noexcept;

// The icon's top-left corner: 20 pixels left of the column, 5 below the
// measured caption line.
[[nodiscard]] BoxPoint IconOrigin(const BoxRect& band, std::int32_t captionBottom, std::int32_t iconWidth) noexcept;

// The message text: the column, from 10 pixels below the caption line.
[[nodiscard]] BoxRect MessageRect(const BoxRect& band, std::int32_t captionBottom,
                                  std::int32_t rightmostButtonLeft) noexcept;

// The rectangle shrunk by by pixels on every side.
[[nodiscard]] BoxRect Inset(const BoxRect& rect, std::int32_t by) noexcept;

// The first button, in index order, whose rectangle holds the point; -1 for
// none.
[[nodiscard]] std::int32_t ButtonAt(const MsgBoxButton* buttons, std::int32_t count, std::int32_t x,
                                    std::int32_t y) noexcept;
