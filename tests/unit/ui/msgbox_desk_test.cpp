// The box on a desk of several monitors and in a high-contrast theme: what
// the veil covers, which monitor shows the band, and the colours of every
// state (without high contrast the box's own, which the screen shows).
#include <gtest/gtest.h>

#include <cwchar>
#include <optional>
#include <tuple>

#include "ui/msgbox_colors.h"
#include "ui/msgbox_monitor.h"

namespace {

MonitorArea Monitor(BoxRect area, const wchar_t* name, bool primary = false)
{
    MonitorArea monitor{area, {}, primary};
    std::wcsncpy(monitor.name, name, kMonitorNameSize - 1);
    return monitor;
}

// A notebook's panel as the primary, a wider monitor to its right and one
// left of and above it.
const MonitorArea kDesk[] = {
    Monitor({0, 0, 1024, 768}, L"\\\\.\\DISPLAY1", true),
    Monitor({1024, 0, 2304, 800}, L"\\\\.\\DISPLAY2"),
    Monitor({-1280, -200, 0, 600}, L"\\\\.\\DISPLAY3"),
};

TEST(MsgBoxMonitor, TheVeilCoversTheVirtualScreenOrElseThePrimary)
{
    EXPECT_EQ(VeilArea(0, 0, 2304, 800, 1024, 768), (BoxRect{0, 0, 2304, 800}));
    EXPECT_EQ(VeilArea(-1280, -200, 3584, 1000, 1024, 768), (BoxRect{-1280, -200, 2304, 800}));
    EXPECT_EQ(VeilArea(0, 0, 0, 0, 1024, 768), (BoxRect{0, 0, 1024, 768}));
}

TEST(MsgBoxMonitor, TheBandStartsOnTheForegroundWindowsMonitorElseUnderThePointerElseOnThePrimary)
{
    const struct { const char* what; std::optional<BoxRect> window; std::optional<BoxPoint> pointer;
        std::int32_t monitor; } cases[] = {
        {"window mostly on the second, pointer on the primary", BoxRect{900, 100, 1500, 400}, BoxPoint{10, 10}, 1},
        {"window mostly on the primary", BoxRect{500, 100, 1100, 400}, BoxPoint{2000, 10}, 0},
        {"window left of and above the primary", BoxRect{-700, -150, -100, 300}, std::nullopt, 2},
        {"window on no monitor, pointer on the second", BoxRect{5000, 0, 5100, 100}, BoxPoint{1024, 799}, 1},
        {"no window, pointer at negative coordinates", std::nullopt, BoxPoint{-1, -1}, 2},
        {"no window, pointer on no monitor", std::nullopt, BoxPoint{1500, 900}, 0},
        {"neither", std::nullopt, std::nullopt, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StartingMonitor(kDesk, 3, c.window ? &*c.window : nullptr, c.pointer ? &*c.pointer : nullptr),
                  c.monitor) << c.what;
    }
    const MonitorArea primaryLast[] = {kDesk[1], kDesk[0]};
    EXPECT_EQ(StartingMonitor(primaryLast, 2, nullptr, nullptr), 1);
    EXPECT_EQ(StartingMonitor(kDesk, 0, nullptr, nullptr), -1);
}

TEST(MsgBoxMonitor, AfterAChangeTheBandStaysOnItsMonitorWhileItExistsElseGoesToThePrimary)
{
    const MonitorArea resized[] = {kDesk[0], Monitor({1024, 0, 2944, 1080}, L"\\\\.\\DISPLAY2")};
    const MonitorArea secondGone[] = {kDesk[2], kDesk[0]};
    const MonitorArea primaryGone[] = {Monitor({0, 0, 1280, 800}, L"\\\\.\\DISPLAY2", true)};
    const MonitorArea noPrimary[] = {kDesk[2], kDesk[1]};
    const struct { const MonitorArea* monitors; std::int32_t count; const wchar_t* name; std::int32_t monitor; }
        cases[] = {
            {kDesk, 3, L"\\\\.\\DISPLAY3", 2},         {secondGone, 2, L"\\\\.\\DISPLAY2", 1},
            {noPrimary, 2, L"\\\\.\\DISPLAY1", 0},     {kDesk, 3, L"", 0}, {kDesk, 0, L"\\\\.\\DISPLAY1", -1},
            {resized, 2, L"\\\\.\\DISPLAY2", 1},       // at its new size
            {primaryGone, 1, L"\\\\.\\DISPLAY1", 0},   // the remaining one became the primary
        };
    for (const auto& c : cases) {
        EXPECT_EQ(RemainingMonitor(c.monitors, c.count, c.name), c.monitor) << &c - cases;
    }
}

TEST(MsgBoxColors, InHighContrastEveryPartTakesTheThemesColoursAndPressedDiffersFromHoverInMoreThanColour)
{
    // Six different colours, so that each part shows which one it took.
    constexpr SystemColors theme{RgbColor(1, 0, 0), RgbColor(2, 0, 0), RgbColor(3, 0, 0),
                                 RgbColor(4, 0, 0), RgbColor(5, 0, 0), RgbColor(6, 0, 0)};
    const MsgBoxColors colors = ColorsOfTheme(true, theme);
    EXPECT_EQ(colors.bandColor, theme.window);
    EXPECT_EQ(colors.textColor, theme.windowText);
    const struct { const char* state; std::int32_t pressed; bool inside; ButtonLook look; } cases[] = {
        {"plain", -1, false, {theme.buttonFace, theme.buttonText, theme.windowText, false}},
        {"hover", -1, true, {theme.highlight, theme.highlightText, theme.windowText, false}},
        {"pressed: inverted, in a wide frame", 0, true, {theme.buttonText, theme.buttonFace, theme.windowText, true}},
        {"another pressed: no hover", 1, true, {theme.buttonFace, theme.buttonText, theme.windowText, false}},
    };
    for (const auto& c : cases) {
        const ButtonLook look = LookOfButton(colors, 0, c.pressed, c.inside);
        EXPECT_EQ(std::tuple(look.face, look.caption, look.frame, look.wideFrame),
                  std::tuple(c.look.face, c.look.caption, c.look.frame, c.look.wideFrame)) << c.state;
    }
}

}  // namespace
