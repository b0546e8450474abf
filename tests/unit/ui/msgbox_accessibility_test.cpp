#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "ui/msgbox_accessibility.h"

namespace {

TEST(MsgBoxAccessibility, OnlyTheFocusedButtonOfAFocusedBoxIsFocusedAndOnlyThePressedOneIsPressed)
{
    // The reader shows the focused and the other buttons of an active box.
    const struct { std::int32_t childId; MsgBoxInput input; bool windowFocused; std::uint32_t state; } cases[] = {
        {kChildSelf, {1, -1, 1}, true, kStateFocusable},
        {2, {1, -1, 1}, false, kStateFocusable},
        {2, {1, 1, 0}, true, kStateFocusable | kStateFocused | kStatePressed},
        {1, {2, 1, 0}, true, kStateFocusable},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AccessibleState(c.childId, c.input, c.windowFocused), c.state) << c.childId;
    }
    EXPECT_EQ(FocusedChild({2, -1, 0}, true), 3);
    EXPECT_EQ(FocusedChild({2, -1, 0}, false), kNoChild);
}

TEST(MsgBoxAccessibility, NavigationFollowsTheRowAsTheScreenShowsIt)
{
    const struct { std::int32_t start, direction, count; bool mirrored; std::int32_t target; } cases[] = {
        {kChildSelf, kNavFirstChild, 3, false, 1}, {kChildSelf, kNavLastChild, 3, true, 3},
        {1, kNavNext, 3, false, 2},                {3, kNavNext, 3, false, kNoChild},
        {2, kNavPrevious, 3, true, 1},             {1, kNavUp, 2, false, kNoChild},
        {1, kNavRight, 2, false, 2},               {1, kNavRight, 2, true, kNoChild},
        {2, kNavLeft, 2, false, 1},                {1, kNavLeft, 2, true, 2},
        {3, kNavNext, 2, false, kBadChild},        {1, 0, 2, false, kBadChild}, {1, 9, 2, false, kBadChild},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NavigateChild(c.start, c.direction, c.count, c.mirrored), c.target)
            << c.start << " " << c.direction << " " << c.count << " " << c.mirrored;
    }
}

TEST(MsgBoxAccessibility, ScreenPlacesAndHitsMatchInBothLayouts)
{
    const MsgBoxButton buttons[2] = {{.rect = {573, 403, 663, 435}}, {.rect = {678, 403, 768, 435}}};
    const ClientOnScreen plain{10, 20, 1024, false}, mirrored{10, 20, 1024, true};
    EXPECT_EQ(RectOnScreen(buttons[0].rect, plain), (BoxRect{583, 423, 673, 455}));
    // Mirrored, the client's x counts from the right edge at 1034.
    EXPECT_EQ(RectOnScreen(buttons[0].rect, mirrored), (BoxRect{371, 423, 461, 455}));

    const struct { std::int32_t x, y; bool mirrored; std::int32_t child; } cases[] = {
        {583, 423, false, 1},  {672, 454, false, 1}, {673, 423, false, kChildSelf}, {688, 430, false, 2},
        {371, 423, true, 1},   {460, 454, true, 1},  {461, 423, true, kChildSelf},  {370, 430, true, kChildSelf},
        {266, 430, true, 2},   {583, 422, false, kChildSelf}, {600, 455, false, kChildSelf},
    };
    for (const auto& c : cases) {
        const BoxPoint point = PointInClient(c.x, c.y, c.mirrored ? mirrored : plain);
        EXPECT_EQ(ChildAtPoint(buttons, 2, point.x, point.y), c.child) << c.x << "," << c.y << " " << c.mirrored;
    }
    EXPECT_EQ(ChildAtPoint(buttons, 1, 688, 430), kChildSelf) << "only the first count buttons count";
}

}  // namespace
