#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "ui/msgbox_button.h"
#include "ui/msgbox_geometry.h"

// Found by the test framework next to the type.
void PrintTo(const BoxRect& r, std::ostream* out)
{
    *out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}

namespace {

struct PlacementCase {
    std::int32_t count;
    std::int32_t width;
    std::int32_t height;
    std::int32_t bandHeight;
    std::vector<BoxRect> expected;   // index 0 leftmost
};

TEST(ButtonPlacement, ButtonsSitRightAlignedAtThreeQuartersAbove15PixelsOfBand)
{
    const PlacementCase cases[] = {
        {1, 1024, 768, 112, {{678, 393, 768, 425}}},
        {3, 1024, 768, 112, {{468, 393, 558, 425}, {573, 393, 663, 425}, {678, 393, 768, 425}}},
        {3, 1920, 1080, 129, {{1140, 557, 1230, 589}, {1245, 557, 1335, 589}, {1350, 557, 1440, 589}}},
        // Odd sizes truncate: 3 * 1023 / 4 = 767, (767 - 113) / 2 = 327.
        {1, 1023, 767, 113, {{677, 393, 767, 425}}},
        // A band higher than the screen: (100 - 113) / 2 truncates toward zero to -6.
        {1, 800, 100, 113, {{510, 60, 600, 92}}},
        // A screen too narrow for three buttons pushes them past the left edge.
        {3, 200, 200, 82, {{-150, 94, -60, 126}, {-45, 94, 45, 126}, {60, 94, 150, 126}}},
    };
    for (std::size_t n = 0; n < std::size(cases); ++n) {
        const PlacementCase& c = cases[n];
        SCOPED_TRACE(testing::Message() << "case " << n);
        MsgBoxButton buttons[3];
        PlaceButtons(buttons, c.count, c.width, c.height, c.bandHeight);
        for (std::int32_t i = 0; i < c.count; ++i) {
            EXPECT_EQ(buttons[i].rect, c.expected[static_cast<std::size_t>(i)]) << "button " << i;
            EXPECT_EQ(buttons[i].rect.right - buttons[i].rect.left, kButtonWidth);
            EXPECT_EQ(buttons[i].rect.bottom - buttons[i].rect.top, kButtonHeight);
        }
        for (std::int32_t i = c.count; i < 3; ++i) {
            EXPECT_TRUE(buttons[i].rect.IsEmpty()) << "unused button " << i;
        }
    }
}

TEST(ButtonPlacement, ACountOutsideOneToThreePlacesNothing)
{
    for (const std::int32_t count : {0, -1, 4, INT32_MAX}) {
        MsgBoxButton buttons[3];
        PlaceButtons(buttons, count, 1024, 768, 100);
        for (const MsgBoxButton& button : buttons) {
            EXPECT_TRUE(button.rect.IsEmpty()) << "count " << count;
        }
    }
    PlaceButtons(nullptr, 1, 1024, 768, 100);
}

TEST(BandGeometry, TheBandIsAsHighAsCaptionTextAndMarginsButNeverBelowTheIcon)
{
    const struct {
        std::int32_t caption, text, icon, expected;
    } cases[] = {
        {0, 0, 0, 82},       // 30 + 10 + 10 + 32
        {27, 16, 32, 125},   // the icon's 62 is less
        {0, 0, 52, 82},      // an icon higher than the texts: icon + 30
        {0, 0, 53, 83},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BandHeight(c.caption, c.text, c.icon), c.expected)
            << c.caption << " " << c.text << " " << c.icon;
    }
    EXPECT_EQ(MinimumBandHeight(0), 30);
    EXPECT_EQ(MinimumBandHeight(32), 62);
}

TEST(BandGeometry, TheBandSpansTheWidthAndIsCentredInHeight)
{
    const struct {
        std::int32_t left, width, height, band;
        BoxRect expected;
    } cases[] = {
        {0, 1024, 768, 112, {0, 328, 1024, 440}},
        {0, 1024, 767, 112, {0, 327, 1024, 439}},
        {10, 500, 300, 100, {10, 100, 510, 200}},
        {0, 800, 100, 113, {0, -6, 800, 107}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BandRect(c.left, c.width, c.height, c.band), c.expected);
    }
}

TEST(BandGeometry, TextColumnIconAndMessageFollowTheBandAndTheRightmostButton)
{
    // 1024 x 768 with two buttons: the rightmost starts at 678.
    const BoxRect band{0, 328, 1024, 440};
    const BoxRect column = TextColumn(band, 678);
    EXPECT_EQ(column, (BoxRect{256, 343, 663, 425}));
    // The column is as wide as the measuring rectangle of the layout.
    EXPECT_EQ(column.right - column.left, MeasuringRect(1024, 62).right);
    EXPECT_EQ(MeasuringRect(1024, 62), (BoxRect{0, 0, 407, 62}));
    EXPECT_EQ(MeasuringRect(1920, 30), (BoxRect{0, 0, 855, 30}));
    EXPECT_EQ(MeasuringRect(100, 30), (BoxRect{0, 0, -55, 30}));

    // A caption line measured 27 high ends at 343 + 27 = 370.
    EXPECT_EQ(IconOrigin(band, 370, 32), (BoxPoint{204, 375}));
    EXPECT_EQ(IconOrigin(band, 370, 0), (BoxPoint{236, 375}));
    EXPECT_EQ(MessageRect(band, 370, 678), (BoxRect{256, 380, 663, 425}));

    // The column starts at a quarter of the band's width, not of its right edge.
    const BoxRect shifted{100, 0, 500, 100};
    EXPECT_EQ(TextColumn(shifted, 300).left, 100);
    EXPECT_EQ(IconOrigin(shifted, 40, 32).x, 100 - 32 - 20);
}

TEST(BandGeometry, NoScreenSizeOrMeasurementOverflows)
{
    MsgBoxButton buttons[3];
    PlaceButtons(buttons, 3, INT32_MAX, INT32_MAX, INT32_MAX);
    PlaceButtons(buttons, 3, INT32_MIN, INT32_MIN, INT32_MAX);
    EXPECT_EQ(BandHeight(INT32_MAX, INT32_MAX, INT32_MAX), INT32_MAX);
    EXPECT_EQ(MinimumBandHeight(INT32_MAX), INT32_MAX);
    const BoxRect huge = BandRect(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MAX);
    EXPECT_EQ(huge.right, INT32_MAX);
    static_cast<void>(TextColumn(huge, INT32_MIN));
    static_cast<void>(IconOrigin(huge, INT32_MAX, INT32_MAX));
    static_cast<void>(MessageRect(huge, INT32_MAX, INT32_MIN));
    EXPECT_EQ(Inset(BoxRect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, -5),
              (BoxRect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}));
    EXPECT_EQ(MeasuringRect(INT32_MIN, 0).right, INT32_MIN / 2 - 105);
}

TEST(ButtonHitTest, APointHitsTheFirstButtonWhoseRectangleHoldsIt)
{
    MsgBoxButton buttons[3];
    PlaceButtons(buttons, 3, 1024, 768, 112);   // 468-558, 573-663, 678-768; rows 393-425
    const struct {
        std::int32_t count, x, y, expected;
    } cases[] = {
        {3, 468, 393, 0},    // the top-left corner belongs to the button
        {3, 557, 424, 0},
        {3, 558, 400, -1},   // the right edge does not
        {3, 560, 400, -1},   // between two buttons
        {3, 700, 424, 2},
        {3, 700, 425, -1},   // nor the bottom edge
        {3, 700, 392, -1},
        {2, 700, 400, -1},   // only the first count buttons are looked at
        {-3, 500, 400, -1},
        {7, 700, 400, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ButtonAt(buttons, c.count, c.x, c.y), c.expected) << c.count << " " << c.x << "," << c.y;
    }
    EXPECT_EQ(ButtonAt(nullptr, 3, 500, 400), -1);

    MsgBoxButton overlapping[2];
    overlapping[0].rect = {0, 0, 10, 10};
    overlapping[1].rect = {5, 5, 15, 15};
    EXPECT_EQ(ButtonAt(overlapping, 2, 7, 7), 0);
    EXPECT_EQ(ButtonAt(overlapping, 2, 12, 12), 1);
}

TEST(ButtonHitTest, AnEmptyRectangleHoldsNothing)
{
    const BoxRect rects[] = {{0, 0, 0, 0}, {5, 5, 5, 10}, {5, 5, 10, 5}, {10, 10, 5, 5}};
    for (const BoxRect& rect : rects) {
        EXPECT_TRUE(rect.IsEmpty());
        EXPECT_FALSE(rect.Contains(rect.left, rect.top));
        EXPECT_FALSE(rect.Contains(7, 7));
    }
    EXPECT_FALSE((BoxRect{0, 0, 1, 1}.IsEmpty()));
    EXPECT_EQ(Inset(BoxRect{468, 393, 558, 425}, 2), (BoxRect{470, 395, 556, 423}));
}

TEST(ButtonCaption, CaptionsAreCutTo31CharactersAndNullCountsAsEmpty)
{
    const std::wstring exact(31, L'a');
    const std::wstring longer(40, L'b');
    const struct {
        const wchar_t* text;
        std::wstring expected;
    } cases[] = {
        {L"OK", L"OK"},
        {nullptr, L""},
        {L"", L""},
        {exact.c_str(), exact},
        {longer.c_str(), std::wstring(31, L'b')},
        {L"\u53d6\u6d88", L"\u53d6\u6d88"},
    };
    for (const auto& c : cases) {
        MsgBoxButton button;
        for (wchar_t& ch : button.caption) {
            ch = L'#';
        }
        CopyCaption(c.text, button.caption);
        EXPECT_EQ(std::wstring(button.caption), c.expected);
    }
}

}  // namespace
