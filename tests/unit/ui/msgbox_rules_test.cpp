// The message box's decisions without a window: which buttons a style
// shows, where the parts go and how input answers. The colours by state are
// shown on the screen.
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "ui/msgbox_input.h"
#include "ui/msgbox_style.h"

namespace {

TEST(MsgBoxStyle, TheLowFourBitsChooseTheAnswersLeftToRightAndWhetherEscapeCancels)
{
    const struct { std::uint32_t style; std::vector<std::int32_t> answers; bool escape; } cases[] = {
        {0x00, {kIdOk}, true},
        {0x01, {kIdOk, kIdCancel}, true},
        {0x02, {kIdAbort, kIdRetry, kIdIgnore}, false},
        {0x03, {kIdYes, kIdNo, kIdCancel}, true},
        {0x04, {kIdYes, kIdNo}, false},
        {0x05, {kIdOk}, false},   // retry/cancel is not offered
        {0x06, {kIdCancel, kIdTryAgain, kIdContinue}, true},
        {0xFFFFFF41, {kIdOk, kIdCancel}, true},   // icon and other bits change nothing
    };
    // Each button's caption comes from the slot of its own answer.
    const std::int32_t answerOfSlot[] = {kIdOk,     kIdCancel, kIdAbort, kIdTryAgain, kIdRetry,
                                         kIdIgnore, kIdYes,    kIdNo,    kIdContinue};
    for (const auto& c : cases) {
        const ButtonSet set = ButtonSetOfStyle(c.style);
        std::vector<std::int32_t> answers;
        for (std::int32_t i = 0; i < set.count; ++i) {
            answers.push_back(set.buttons[i].id);
            EXPECT_EQ(answerOfSlot[static_cast<int>(set.buttons[i].slot)], set.buttons[i].id) << c.style << " " << i;
        }
        EXPECT_EQ(answers, c.answers) << "style " << c.style;
        EXPECT_EQ(EscapeAllowed(c.style), c.escape) << "style " << c.style;
    }
}

TEST(MsgBoxStyle, BitsFourToSevenChooseOneOfFourDistinctIconsOrNone)
{
    const std::uint32_t hand = IconIdOfStyle(0x10), question = IconIdOfStyle(0x20),
                        exclamation = IconIdOfStyle(0x30), asterisk = IconIdOfStyle(0x40);
    EXPECT_EQ(asterisk, 32516u) << "IDI_ASTERISK, the information icon of the confirmation";
    EXPECT_EQ(std::set<std::uint32_t>({hand, question, exclamation, asterisk, 0u}).size(), 5u);
    for (const std::uint32_t none : {0x00u, 0x50u, 0xF0u, 0xFFFFFF0Fu}) {
        EXPECT_EQ(IconIdOfStyle(none), 0u) << none;
    }
    EXPECT_EQ(IconIdOfStyle(0xFFFFFF34), exclamation);
}

TEST(MsgBoxGeometry, DistancesAreDesignedAt96DpiAndScaledOnceRoundingAsMulDivDoes)
{
    const struct { std::int32_t value, dpi, scaled; } cases[] = {
        {32, 96, 32}, {32, 144, 48}, {15, 144, 23}, {-15, 144, -23}, {10, 0, 10}, {INT32_MAX, 192, INT32_MAX},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScaleFrom96(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
    }
    EXPECT_EQ(MetricsAt(144).frame + MetricsAt(144).focusInset, 6) << "frame and focus mark scale too";
}

TEST(MsgBoxGeometry, TheBandHoldsCaptionTextAndButtonRowButNeverLessThanTheIcon)
{
    const struct { std::int32_t caption, text, icon, dpi, band; } heights[] = {
        {0, 0, 0, 96, 82},   // 30 + 10 + 10 + 32
        {27, 16, 32, 96, 125},
        {0, 0, 53, 96, 83},   // the icon's 53 + 30
        {0, 0, 0, 144, 123},
        {0, 0, 96, 144, 141},
        {INT32_MAX, INT32_MAX, INT32_MAX, 96, INT32_MAX},   // no overflow
    };
    for (const auto& c : heights) {
        EXPECT_EQ(BandHeight(c.caption, c.text, c.icon, MetricsAt(c.dpi)), c.band) << c.caption << " " << c.dpi;
    }
}

// Every distance of the layout is its design at 96 DPI scaled to the
// resolution; so the proportions hold at any resolution and screen width.
TEST(MsgBoxGeometry, TheBandIsCentredWithButtonsRightAlignedAtThreeQuartersAndGapsInProportion)
{
    for (const std::int32_t dpi : {96, 120, 144, 192}) {
        const auto at = [dpi](std::int32_t designed) { return ScaleFrom96(designed, dpi); };
        const BoxMetrics metrics = MetricsAt(dpi);
        for (const std::int32_t width : {1023, 1024, 1366}) {
            for (const std::int32_t count : {1, 2, 3}) {
                const std::int32_t band = BandHeight(27, 16, metrics.iconSize, metrics);
                const BoxLayout l = LayOutBox({width, 768, count, metrics.iconSize, band, 100, 27}, metrics);
                SCOPED_TRACE(testing::Message() << dpi << " DPI, " << width << " wide, " << count << " buttons");
                EXPECT_EQ(l.band, (BoxRect{0, (768 - band) / 2, width, (768 - band) / 2 + band}));
                // Buttons of 90 x 32 and 15 apart, the last ending at three quarters of the width.
                for (std::int32_t i = 0, bottom = l.band.bottom - at(15); i < count; ++i) {
                    const std::int32_t left = width * 3 / 4 - at(90) - (count - 1 - i) * (at(90) + at(15));
                    EXPECT_EQ(l.buttons[i], (BoxRect{left, bottom - at(32), left + at(90), bottom})) << i;
                }
                const std::int32_t column = width / 4, columnTop = l.band.top + at(15);
                EXPECT_EQ(l.captionLine, (BoxRect{column, columnTop, column + 100, columnTop + 27}));
                EXPECT_EQ(l.message, (BoxRect{column, l.captionLine.bottom + at(10), l.buttons[count - 1].left - at(15),
                                              l.band.bottom - at(15)}));
                const std::int32_t iconTop = l.captionLine.bottom + at(5);
                EXPECT_EQ(l.icon, (BoxRect{column - at(20) - metrics.iconSize, iconTop, column - at(20),
                                           iconTop + metrics.iconSize}));
                EXPECT_EQ(MeasuringRect(width, metrics.iconSize, metrics),
                          (BoxRect{0, 0, l.message.right - l.message.left, metrics.iconSize + at(30)}))
                    << "the texts are measured at the column's width";
            }
        }
    }
    EXPECT_TRUE(LayOutBox({1024, 768, 4, 0, 112, 0, 0}, MetricsAt(96)).buttons[0].IsEmpty())
        << "a count outside 1 to 3 places no button";
    EXPECT_TRUE(LayOutBox({1024, 768, 1, 0, 112, 0, 0}, MetricsAt(96)).icon.IsEmpty());
}

// Runs a sequence of input on a box of the style on 1024 x 768 and writes
// down each outcome: "r" repaint, "-" nothing, a number for the answer. A
// step is kd/ku (key down/up: T Tab, E Enter, S Space, X Escape, A the letter
// A), md/mu (left button down/up at L, M, R: the three button places, O: off
// them all), mv/mh/mr (a move holding no, the left, the right button), to (timeout).
std::string Outcomes(std::uint32_t style, const std::string& steps, MsgBoxInput& input)
{
    const ButtonSet set = ButtonSetOfStyle(style);
    MsgBoxButton buttons[3];
    const BoxLayout placed = LayOutBox({1024, 768, set.count, 0, 112, 0, 0}, MetricsAt(96));
    for (std::int32_t i = 0; i < set.count; ++i) {
        buttons[i] = {set.buttons[i].id, placed.buttons[i]};
    }
    const auto key = [](char c) -> std::uint32_t {
        return c == 'T' ? kKeyTab : c == 'E' ? kKeyEnter : c == 'S' ? kKeySpace : c == 'X' ? kKeyEscape : c;
    };
    const auto x = [](char c) { return c == 'L' ? 500 : c == 'M' ? 600 : c == 'R' ? 700 : 100; };
    std::string outcomes;
    for (std::size_t at = 0; at + 1 < steps.size(); at += 3) {
        const std::string step = steps.substr(at, 2);
        const char arg = at + 3 < steps.size() && steps[at + 2] == ':' ? steps[at + 3] : ' ';
        InputOutcome o = step == "kd" ? KeyDownRule(input, key(arg), style, set.count)
                       : step == "ku" ? KeyUpRule(input, key(arg), buttons, set.count)
                       : step == "md" ? LButtonDownRule(input, buttons, set.count, x(arg), 410)
                       : step == "mu" ? LButtonUpRule(input, buttons, set.count, x(arg), 410)
                       : step == "to" ? TimeoutRule()
                       : MouseMoveRule(input, step == "mh" ? kMouseLeftButton : step == "mr" ? 0x0002u : 0u);
        at += arg == ' ' ? 0 : 2;
        outcomes += (outcomes.empty() ? "" : " ") + (o.answered ? std::to_string(o.answer) : o.repaint ? "r" : "-");
    }
    return outcomes;
}

TEST(MsgBoxInput, KeyMouseAndTimerSequencesGiveTheirAnswers)
{
    const struct { const char* name; std::uint32_t style; std::string steps, outcomes; MsgBoxInput end; } cases[] = {
        {"enter answers the focused button on release", 0, "kd:E ku:E", "r 1", {0, 0, 0}},
        {"the release need not be of the key that pressed", 1, "kd:S ku:E", "r 1", {0, 0, 0}},
        {"tab moves the focus round and shows the mark", 2, "kd:T kd:T kd:T kd:T kd:S ku:S", "r r r r r 4", {1, 1, 1}},
        {"tab drops a key press", 4, "kd:E kd:T ku:E", "r r -", {1, -1, 1}},
        {"escape first drops a press, then cancels", 1, "kd:E kd:X ku:E kd:X", "r r - 2", {0, -1, 0}},
        {"escape does nothing where the style forbids it", 4, "kd:S kd:X ku:S", "r - 6", {0, 0, 0}},
        {"other keys do nothing", 1, "kd:A ku:T", "- -", {0, -1, 0}},
        {"a click answers the button it pressed", 3, "md:M mu:M", "r 7", {1, -1, 0}},
        {"released elsewhere, a click answers nothing", 3, "md:L mu:R md:R mu:O mu:R", "r r r r -", {2, -1, 0}},
        {"a press holds while the button is held, not after", 4, "md:R mh mv mu:R", "r r r -", {1, -1, 0}},
        // Swapped buttons: the physical right button is the logical left,
        // held in the message's flags; the physical left is then the right.
        {"a move with only the other button held drops the press", 1, "md:M mr mu:M", "r r -", {0, -1, 0}},
        {"a click hides the focus mark and moves the focus", 1, "kd:T md:R mu:O kd:E ku:E", "r r r r 2", {1, 1, 0}},
        {"the timeout answers OK whatever the buttons", 4, "to", "1", {0, -1, 0}},
    };
    for (const auto& c : cases) {
        MsgBoxInput input;
        EXPECT_EQ(Outcomes(c.style, c.steps, input), c.outcomes) << c.name;
        EXPECT_EQ(std::vector<std::int32_t>({input.focusedIndex, input.pressedIndex, input.focusVisible}),
                  std::vector<std::int32_t>({c.end.focusedIndex, c.end.pressedIndex, c.end.focusVisible})) << c.name;
    }
}

TEST(MsgBoxInput, TheTimerRunsForTheTimeoutHeldAtThePlatformsLongestInterval)
{
    const struct { std::int32_t seconds; bool started; std::uint32_t milliseconds;
    } cases[] = {{-1, false, 7}, {0, true, 0}, {5, true, 5000}, {2147484, true, 0x7FFFFFFF}};
    for (const auto& c : cases) {
        std::uint32_t milliseconds = 7;
        EXPECT_EQ(TimeoutInterval(c.seconds, milliseconds), c.started) << c.seconds;
        EXPECT_EQ(milliseconds, c.milliseconds) << c.seconds;
    }
}

}  // namespace
