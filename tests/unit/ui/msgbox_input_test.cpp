#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/msgbox_input.h"
#include "ui/msgbox_style.h"

namespace {

enum class Event { KeyDown, KeyUp, Move, MoveHeld, Down, Up, Timeout };

struct Step {
    Event event;
    std::uint32_t key = 0;   // key events
    std::int32_t x = 0;      // mouse events
    std::int32_t y = 0;
    InputOutcome expected{};
};

constexpr InputOutcome kNothing{};
constexpr InputOutcome kRepaint{true, false, 0};
constexpr InputOutcome Answer(std::int32_t id)
{
    return {false, true, id};
}

Step KeyDown(std::uint32_t key, InputOutcome expected)
{
    return {Event::KeyDown, key, 0, 0, expected};
}
Step KeyUp(std::uint32_t key, InputOutcome expected)
{
    return {Event::KeyUp, key, 0, 0, expected};
}
Step Down(std::int32_t x, std::int32_t y, InputOutcome expected)
{
    return {Event::Down, 0, x, y, expected};
}
Step Up(std::int32_t x, std::int32_t y, InputOutcome expected)
{
    return {Event::Up, 0, x, y, expected};
}
Step Move(bool held)
{
    return {held ? Event::MoveHeld : Event::Move, 0, 0, 0, kRepaint};
}

// Button centres of a three-button box on 1024 x 768 (468-558, 573-663,
// 678-768; rows 393-425); a two-button box uses the last two places.
constexpr std::int32_t kRow = 410;
constexpr std::int32_t kLeft = 500;
constexpr std::int32_t kMiddle = 600;
constexpr std::int32_t kRight = 700;
constexpr std::int32_t kOutside = 100;

struct Scenario {
    std::string name;
    std::uint32_t style;
    std::vector<Step> steps;
    MsgBoxInput end;   // the state after the last step
};

TEST(InputRules, KeyboardMouseAndTimerSequencesGiveTheirAnswers)
{
    const Scenario scenarios[] = {
        {"enter on an untouched OK box answers OK", 0,
         {KeyDown(kKeyEnter, kRepaint), KeyUp(kKeyEnter, Answer(kIdOk))}, {0, 0, 0}},
        {"the release need not be of the key that pressed", 1,
         {KeyDown(kKeySpace, kRepaint), KeyUp(kKeyEnter, Answer(kIdOk))}, {0, 0, 0}},
        {"a release without a press answers nothing", 1,
         {KeyUp(kKeyEnter, kNothing), KeyUp(kKeySpace, kNothing)}, {0, -1, 0}},
        {"tab then enter answers the second button", 1,
         {KeyDown(kKeyTab, kRepaint), KeyDown(kKeyEnter, kRepaint), KeyUp(kKeyEnter, Answer(kIdCancel))},
         {1, 1, 1}},
        {"tab cycles through three buttons and back", 2,
         {KeyDown(kKeyTab, kRepaint), KeyDown(kKeyTab, kRepaint), KeyDown(kKeyTab, kRepaint),
          KeyDown(kKeyTab, kRepaint), KeyDown(kKeySpace, kRepaint), KeyUp(kKeySpace, Answer(kIdRetry))},
         {1, 1, 1}},
        {"tab on a one-button box keeps the focus but shows the mark", 0,
         {KeyDown(kKeyTab, kRepaint), KeyDown(kKeyTab, kRepaint)}, {0, -1, 1}},
        {"tab after a key press drops it, and the release answers nothing", 4,
         {KeyDown(kKeyEnter, kRepaint), KeyDown(kKeyTab, kRepaint), KeyUp(kKeyEnter, kNothing)}, {1, -1, 1}},
        // Which styles allow escape is the button sets' table; here, what it does.
        {"escape answers cancel on the OK box", 0, {KeyDown(kKeyEscape, Answer(kIdCancel))}, {0, -1, 0}},
        {"escape does nothing on Yes/No", 4, {KeyDown(kKeyEscape, kNothing)}, {0, -1, 0}},
        {"escape first releases a held press, then answers", 1,
         {KeyDown(kKeyEnter, kRepaint), KeyDown(kKeyEscape, kRepaint), KeyUp(kKeyEnter, kNothing),
          KeyDown(kKeyEscape, Answer(kIdCancel))},
         {0, -1, 0}},
        {"escape on Yes/No leaves a held press alone", 4,
         {KeyDown(kKeySpace, kRepaint), KeyDown(kKeyEscape, kNothing), KeyUp(kKeySpace, Answer(kIdYes))},
         {0, 0, 0}},
        {"a held key repeats: enter twice still answers once released", 0,
         {KeyDown(kKeyEnter, kRepaint), KeyDown(kKeyEnter, kRepaint), KeyUp(kKeyEnter, Answer(kIdOk))}, {0, 0, 0}},
        {"other keys do nothing and do not repaint", 1,
         {KeyDown('A', kNothing), KeyDown(0x25, kNothing), KeyDown(0x10, kNothing), KeyUp(kKeyTab, kNothing),
          KeyUp(kKeyEscape, kNothing)},
         {0, -1, 0}},

        {"a click on a button answers it", 3,
         {Down(kMiddle, kRow, kRepaint), Up(kMiddle, kRow, Answer(kIdNo))}, {1, -1, 0}},
        {"a click released elsewhere on the same button still answers it", 3,
         {Down(679, 394, kRepaint), Up(767, 424, Answer(kIdCancel))}, {2, -1, 0}},
        {"pressing on one button and releasing on another answers nothing", 3,
         {Down(kLeft, kRow, kRepaint), Up(kRight, kRow, kRepaint)}, {0, -1, 0}},
        {"releasing off every button cancels the press", 1,
         {Down(kRight, kRow, kRepaint), Up(kOutside, kRow, kRepaint), Up(kRight, kRow, kNothing)}, {1, -1, 0}},
        {"pressing off every button presses nothing but repaints", 1,
         {Down(kOutside, kRow, kRepaint), Up(kOutside, kRow, kNothing)}, {0, -1, 0}},
        {"a press keeps while the left button is held as the pointer moves", 4,
         {Down(kRight, kRow, kRepaint), Move(true), Move(true), Up(kRight, kRow, Answer(kIdNo))}, {1, -1, 0}},
        {"a pointer moved without the left button down drops the press", 4,
         {Down(kRight, kRow, kRepaint), Move(false), Up(kRight, kRow, kNothing)}, {1, -1, 0}},
        {"a click hides the focus mark that tab showed", 1,
         {KeyDown(kKeyTab, kRepaint), Down(kMiddle, kRow, kRepaint)}, {0, 0, 0}},
        {"a click moves the focus that enter then answers", 1,
         {Down(kRight, kRow, kRepaint), Up(kOutside, kRow, kRepaint), KeyDown(kKeyEnter, kRepaint),
          KeyUp(kKeyEnter, Answer(kIdCancel))},
         {1, 1, 0}},

        {"the timeout answers OK while a button is held", 2,
         {KeyDown(kKeyEnter, kRepaint), {Event::Timeout, 0, 0, 0, Answer(kIdOk)}}, {0, 0, 0}},
    };

    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        const ButtonSet set = ButtonSetOfStyle(s.style);
        MsgBoxButton buttons[3];
        for (std::int32_t i = 0; i < set.count; ++i) {
            buttons[i].id = set.buttons[i].id;
        }
        PlaceButtons(buttons, set.count, 1024, 768, 112);
        MsgBoxInput input;
        for (std::size_t n = 0; n < s.steps.size(); ++n) {
            const Step& step = s.steps[n];
            InputOutcome outcome;
            switch (step.event) {
            case Event::KeyDown:
                outcome = KeyDownRule(input, step.key, s.style, set.count);
                break;
            case Event::KeyUp:
                outcome = KeyUpRule(input, step.key, buttons, set.count);
                break;
            case Event::Move:
            case Event::MoveHeld:
                outcome = MouseMoveRule(input, step.event == Event::MoveHeld);
                break;
            case Event::Down:
                outcome = LButtonDownRule(input, buttons, set.count, step.x, step.y);
                break;
            case Event::Up:
                outcome = LButtonUpRule(input, buttons, set.count, step.x, step.y);
                break;
            case Event::Timeout:
                outcome = TimeoutRule();
                break;
            }
            EXPECT_EQ(outcome.repaint, step.expected.repaint) << "step " << n;
            EXPECT_EQ(outcome.answered, step.expected.answered) << "step " << n;
            EXPECT_EQ(outcome.answer, step.expected.answer) << "step " << n;
        }
        EXPECT_EQ(input.focusedIndex, s.end.focusedIndex);
        EXPECT_EQ(input.pressedIndex, s.end.pressedIndex);
        EXPECT_EQ(input.focusVisible, s.end.focusVisible);
    }
}

TEST(InputRules, StateOutsideTheButtonsNeverReadsPastThem)
{
    MsgBoxButton buttons[3];
    buttons[0].id = kIdOk;
    PlaceButtons(buttons, 1, 1024, 768, 112);

    MsgBoxInput input{5, 5, 0};
    EXPECT_EQ(KeyUpRule(input, kKeyEnter, buttons, 1), kNothing);
    EXPECT_EQ(LButtonUpRule(input, buttons, 1, 700, 410), kRepaint);
    EXPECT_EQ(input.pressedIndex, -1);

    input = {-3, 0, 0};
    EXPECT_EQ(KeyUpRule(input, kKeySpace, buttons, 1), kNothing);
    EXPECT_EQ(KeyDownRule(input, kKeyTab, 0, 1), kRepaint);
    EXPECT_EQ(input.focusedIndex, 0);

    input = {0, 0, 0};
    EXPECT_EQ(KeyUpRule(input, kKeyEnter, nullptr, 1), kNothing);
    EXPECT_EQ(LButtonDownRule(input, nullptr, 1, 700, 410), kRepaint);
    EXPECT_EQ(LButtonUpRule(input, nullptr, 1, 700, 410), kRepaint);
}

TEST(TimeoutTimer, TheIntervalIsTheTimeoutInMillisecondsAndNegativeMeansNone)
{
    const struct {
        std::int32_t seconds;
        bool started;
        std::uint32_t milliseconds;
    } cases[] = {
        {-1, false, 0},
        {0, true, 0},
        {5, true, 5000},
        {2147483, true, 2147483000u},
        // Longer than the platform's longest interval: held at it.
        {2147484, true, 0x7FFFFFFFu},
        {INT32_MAX, true, 0x7FFFFFFFu},
    };
    for (const auto& c : cases) {
        std::uint32_t milliseconds = 12345;
        EXPECT_EQ(TimeoutInterval(c.seconds, milliseconds), c.started) << c.seconds;
        if (c.started) {
            EXPECT_EQ(milliseconds, c.milliseconds) << c.seconds;
        } else {
            EXPECT_EQ(milliseconds, 12345u) << c.seconds;
        }
    }
}

}  // namespace
