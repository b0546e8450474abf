#pragma once
// Where the parts of a message box go: the band across the screen, the
// buttons at its lower right, the text column with the caption line and the
// message, and the icon left of the column. Distances are designed at 96 DPI
// and scaled by the resolution of the box's screen; divisions truncate toward
// zero.
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

inline constexpr std::int32_t kMaxButtons = 3;

struct MsgBoxButton;

// MulDiv(value, dpi, 96): a distance designed at 96 DPI at another
// resolution, rounded to the nearest pixel. A dpi below 1 counts as 96.
[[nodiscard]] std::int32_t ScaleFrom96(std::int32_t value, std::int32_t dpi) noexcept;

// Every distance of the box at one resolution. They are designed at 96 DPI
// (buttons 90 x 32 and 15 apart, a 2-pixel frame, the focus mark 2 inside
// the face, 15-pixel margins, a 32-pixel icon) and scaled here, once, so
// that a scaled box keeps its proportions. At 96 DPI they are the designed
// pixels.
struct BoxMetrics {
    std::int32_t buttonWidth = 90;
    std::int32_t buttonHeight = 32;
    std::int32_t buttonGap = 15;
    std::int32_t frame = 2;        // white frame around the face
    std::int32_t focusInset = 2;   // focus mark inside the face
    std::int32_t margin = 15;      // column inside the band, buttons above its bottom
    std::int32_t textPadding = 10;   // below the caption line and below the text
    std::int32_t baseHeight = 30;    // the band before the texts are measured
    std::int32_t buttonRow = 32;
    std::int32_t iconSize = 32;
    std::int32_t iconGap = 20;     // between the icon and the text column
    std::int32_t iconDrop = 5;     // below the caption line
};
[[nodiscard]] BoxMetrics MetricsAt(std::int32_t dpi) noexcept;

// The rectangle the caption and the text are measured in: as wide as the
// text column, as high as the least band height for an icon of iconSize
// (0 without one).
[[nodiscard]] BoxRect MeasuringRect(std::int32_t width, std::int32_t iconSize, const BoxMetrics& metrics) noexcept;

// The band height from the measured heights of the caption line and the
// text: each with its padding below, the button row, never lower than the
// icon allows.
[[nodiscard]] std::int32_t BandHeight(std::int32_t captionHeight, std::int32_t textHeight, std::int32_t iconSize,
                                      const BoxMetrics& metrics) noexcept;

// What the layout needs besides the metrics: the client area, the buttons
// and icon shown, the band height and the caption line as measured.
struct LayoutInput {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t buttonCount = 1;   // 1 to 3; anything else places no button
    std::int32_t iconSize = 0;      // 0 without an icon
    std::int32_t bandHeight = 0;
    std::int32_t captionWidth = 0;
    std::int32_t captionHeight = 0;
};

// Where everything goes, in client coordinates. The band spans the width,
// centred in height. The buttons are right-aligned at three quarters of the
// width, a margin above the band's bottom, index 0 the leftmost. The text
// column runs from a quarter of the width to a margin left of the rightmost
// button, a margin inside the band; the caption line starts at its top, the
// message text a padding below the caption line, the icon left of the
// column by iconGap and iconDrop below the caption line.
struct BoxLayout {
    BoxRect band;
    BoxRect captionLine;
    BoxRect icon;      // empty without one
    BoxRect message;
    BoxRect buttons[kMaxButtons];
    friend constexpr bool operator==(const BoxLayout&, const BoxLayout&) = default;
};
[[nodiscard]] BoxLayout LayOutBox(const LayoutInput& input, const BoxMetrics& metrics) noexcept;

// The rectangle at its mirrored place in the band: the band's right edge
// becomes its left.
[[nodiscard]] BoxRect MirroredIn(const BoxRect& rect, const BoxRect& band) noexcept;

// The rectangle shrunk by by pixels on every side.
[[nodiscard]] BoxRect Inset(const BoxRect& rect, std::int32_t by) noexcept;

// The first button, in index order, whose rectangle holds the point; -1 for
// none.
[[nodiscard]] std::int32_t ButtonAt(const MsgBoxButton* buttons, std::int32_t count, std::int32_t x,
                                    std::int32_t y) noexcept;
