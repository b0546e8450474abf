#include "ui/msgbox_geometry.h"

#include <algorithm>
#include <initializer_list>

#include "ui/msgbox_button.h"

namespace {

// Sums in 64 bits and clamps, so that no screen size or measured height can
// overflow the layout's arithmetic.
std::int32_t Clamp32(std::int64_t value) noexcept
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

std::int32_t ScaleFrom96(std::int32_t value, std::int32_t dpi) noexcept
{
    const std::int64_t product = std::int64_t{value} * (dpi < 1 ? 96 : dpi);
    // Half a pixel away from zero, as MulDiv rounds.
    return Clamp32(product >= 0 ? (product + 48) / 96 : (product - 48) / 96);
}

BoxMetrics MetricsAt(std::int32_t dpi) noexcept
{
    BoxMetrics metrics;
    for (std::int32_t* distance :
         {&metrics.buttonWidth, &metrics.buttonHeight, &metrics.buttonGap, &metrics.frame, &metrics.focusInset,
          &metrics.margin, &metrics.textPadding, &metrics.baseHeight, &metrics.buttonRow, &metrics.iconSize,
          &metrics.iconGap, &metrics.iconDrop}) {
        *distance = ScaleFrom96(*distance, dpi);
    }
    return metrics;
}

namespace {

// The text column's left and right edges for a client area of this width.
std::int32_t ColumnLeft(std::int32_t width) noexcept
{
    return width / 4;
}

std::int32_t ColumnRight(std::int32_t width, const BoxMetrics& metrics) noexcept
{
    return Clamp32(std::int64_t{width} * 3 / 4 - metrics.buttonWidth - metrics.margin);
}

}  // namespace

BoxRect MeasuringRect(std::int32_t width, std::int32_t iconSize, const BoxMetrics& metrics) noexcept
{
    return {0, 0, Clamp32(std::int64_t{ColumnRight(width, metrics)} - ColumnLeft(width)),
            Clamp32(std::int64_t{iconSize} + metrics.baseHeight)};
}

std::int32_t BandHeight(std::int32_t captionHeight, std::int32_t textHeight, std::int32_t iconSize,
                        const BoxMetrics& metrics) noexcept
{
    const std::int64_t measured = std::int64_t{metrics.baseHeight} + captionHeight + metrics.textPadding +
                                  textHeight + metrics.textPadding + metrics.buttonRow;
    return Clamp32(std::max<std::int64_t>(measured, std::int64_t{iconSize} + metrics.baseHeight));
}

BoxLayout LayOutBox(const LayoutInput& input, const BoxMetrics& metrics) noexcept
{
    BoxLayout layout;
    const std::int32_t top = Clamp32((std::int64_t{input.height} - input.bandHeight) / 2);
    layout.band = {0, top, input.width, Clamp32(std::int64_t{top} + input.bandHeight)};

    const std::int32_t count = input.buttonCount >= 1 && input.buttonCount <= kMaxButtons ? input.buttonCount : 0;
    const std::int32_t step = Clamp32(std::int64_t{metrics.buttonWidth} + metrics.buttonGap);
    BoxRect button;
    button.right = Clamp32(std::int64_t{input.width} * 3 / 4);
    button.left = Clamp32(std::int64_t{button.right} - metrics.buttonWidth);
    button.bottom = Clamp32(std::int64_t{layout.band.bottom} - metrics.margin);
    button.top = Clamp32(std::int64_t{button.bottom} - metrics.buttonHeight);
    for (std::int32_t i = count - 1; i >= 0; --i) {
        layout.buttons[i] = button;
        button.left = Clamp32(std::int64_t{button.left} - step);
        button.right = Clamp32(std::int64_t{button.right} - step);
    }

    const BoxRect column{ColumnLeft(input.width), Clamp32(std::int64_t{top} + metrics.margin),
                         ColumnRight(input.width, metrics), Clamp32(std::int64_t{layout.band.bottom} - metrics.margin)};
    layout.captionLine = {column.left, column.top, Clamp32(std::int64_t{column.left} + input.captionWidth),
                          Clamp32(std::int64_t{column.top} + input.captionHeight)};
    layout.message = column;
    layout.message.top = Clamp32(std::int64_t{layout.captionLine.bottom} + metrics.textPadding);
    if (input.iconSize > 0) {
        const std::int32_t left = Clamp32(std::int64_t{column.left} - input.iconSize - metrics.iconGap);
        const std::int32_t iconTop = Clamp32(std::int64_t{layout.captionLine.bottom} + metrics.iconDrop);
        layout.icon = {left, iconTop, Clamp32(std::int64_t{left} + input.iconSize),
                       Clamp32(std::int64_t{iconTop} + input.iconSize)};
    }
    return layout;
}

BoxRect MirroredIn(const BoxRect& rect, const BoxRect& band) noexcept
{
    const std::int64_t edges = std::int64_t{band.left} + band.right;
    return {Clamp32(edges - rect.right), rect.top, Clamp32(edges - rect.left), rect.bottom};
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
