#include "ui/msgbox_geometry.h"

#include <algorithm>

#include "ui/msgbox_button.h"

namespace {

// Sums in 64 bits and clamps, so that no screen size or measured height can
// overflow the layout's arithmetic.
std::int32_t Clamp32(std::int64_t value) noexcept
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

constexpr std::int32_t kTextPadding = 10;   // below the caption line and below the text
constexpr std::int32_t kButtonRowHeight = 32;
constexpr std::int32_t kIconGap = 20;       // between the icon and the text column
constexpr std::int32_t kIconDrop = 5;       // below the caption line
constexpr std::int32_t kColumnInset = 15;   // the column inside the band and before the buttons
constexpr std::int32_t kButtonStep = kButtonWidth + kButtonGap;

}  // namespace

std::int32_t MinimumBandHeight(std::int32_t iconHeight) noexcept
{
    return Clamp32(std::int64_t{iconHeight} + kBandBaseHeight);
}

BoxRect MeasuringRect(std::int32_t width, std::int32_t minimumHeight) noexcept
{
    return {0, 0, Clamp32(std::int64_t{width} / 2 - kButtonStep), minimumHeight};
}

std::int32_t BandHeight(std::int32_t captionHeight, std::int32_t textHeight, std::int32_t iconHeight) noexcept
{
    const std::int64_t measured = std::int64_t{kBandBaseHeight} + captionHeight + kTextPadding + textHeight +
                                  kTextPadding + kButtonRowHeight;
    return Clamp32(std::max<std::int64_t>(measured, MinimumBandHeight(iconHeight)));
}

void PlaceButtons(MsgBoxButton* buttons, std::int32_t count, std::int32_t width, std::int32_t height,
                  std::int32_t bandHeight) noexcept
{
    if (buttons == nullptr || count < 1 || count > kMaxButtons) {
        return;
    }
    BoxRect rect;
    rect.right = Clamp32(std::int64_t{width} * 3 / 4);
    rect.left = Clamp32(std::int64_t{rect.right} - kButtonWidth);
    rect.bottom = Clamp32((std::int64_t{height} - bandHeight) / 2 + bandHeight - kColumnInset);
    rect.top = Clamp32(std::int64_t{rect.bottom} - kButtonHeight);
    for (std::int32_t i = count - 1; i >= 0; --i) {
        buttons[i].rect = rect;
        rect.left = Clamp32(std::int64_t{rect.left} - kButtonStep);
        rect.right = Clamp32(std::int64_t{rect.right} - kButtonStep);
    }
}

BoxRect BandRect(std::int32_t left, std::int32_t width, std::int32_t height, std::int32_t bandHeight) noexcept
{
    const std::int32_t top = Clamp32((std::int64_t{height} - bandHeight) / 2);
    return {left, top, Clamp32(std::int64_t{left} + width), Clamp32(std::int64_t{top} + bandHeight)};
}

BoxRect TextColumn(const BoxRect& band, std::int32_t rightmostButtonLeft) noexcept
{
    return {Clamp32((std::int64_t{band.right} - band.left) / 4), Clamp32(std::int64_t{band.top} + kColumnInset),
            Clamp32(std::int64_t{rightmostButtonLeft} - kColumnInset),
            Clamp32(std::int64_t{band.bottom} - kColumnInset)};
}

BoxPoint IconOrigin(const BoxRect& band, std::int32_t captionBottom, std::int32_t iconWidth) noexcept
{
    return {Clamp32((std::int64_t{band.right} - band.left) / 4 - iconWidth - kIconGap),
            Clamp32(std::int64_t{captionBottom} + kIconDrop)};
}

BoxRect MessageRect(const BoxRect& band, std::int32_t captionBottom, std::int32_t rightmostButtonLeft) noexcept
{
    BoxRect rect = TextColumn(band, rightmostButtonLeft);
    rect.top = Clamp32(std::int64_t{captionBottom} + kTextPadding);
    return rect;
}

BoxRect Inset(const BoxRect& rect, std::int32_t by) noexcept
{
    return {Clamp32(std::int64_t{rect.left} + by), Clamp32(std::int64_t{rect.top} + by),
            Clamp32(std::int64_t{rect.right} - by), Clamp32(std::int64_t{rect.bottom} - by)};
}

std::int32_t ButtonAt(const MsgBoxButton* buttons, std::int32_t count, std::int32_t x, std::int32_t y) noexcept
{
    if (buttons == nullptr) {
        return -1;
    }
    for (std::int32_t i = 0; i < std::min(count, kMaxButtons); ++i) {
        if (buttons[i].rect.Contains(x, y)) {
            return i;
        }
    }
    return -1;
}
