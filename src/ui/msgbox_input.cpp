#include "ui/msgbox_input.h"

#include "ui/msgbox_style.h"

namespace {

constexpr InputOutcome kNothing{};
constexpr InputOutcome kRepaint{true, false, 0};

constexpr InputOutcome Answer(std::int32_t id) noexcept
{
    return {false, true, id};
}

bool ValidIndex(std::int32_t index, std::int32_t buttonCount) noexcept
{
    return index >= 0 && index < buttonCount && index < kMaxButtons;
}

// The platform's longest timer interval (USER_TIMER_MAXIMUM).
constexpr std::uint32_t kLongestInterval = 0x7FFFFFFF;

}  // namespace

InputOutcome KeyDownRule(MsgBoxInput& input, std::uint32_t key, std::uint32_t style,
                         std::int32_t buttonCount) noexcept
{
    switch (key) {
    case kKeyTab:
        input.focusedIndex += 1;
        if (input.focusedIndex >= buttonCount || input.focusedIndex < 0) {
            input.focusedIndex = 0;
        }
        input.focusVisible = 1;
        input.pressedIndex = -1;
        return kRepaint;
    case kKeyEnter:
    case kKeySpace:
        input.pressedIndex = input.focusedIndex;
        return kRepaint;
    case kKeyEscape:
        if (!EscapeAllowed(style)) {
            return kNothing;
        }
        if (input.pressedIndex >= 0) {
            input.pressedIndex = -1;
            return kRepaint;
        }
        return Answer(kIdCancel);
    default:
        return kNothing;
    }
}

InputOutcome KeyUpRule(const MsgBoxInput& input, std::uint32_t key, const MsgBoxButton* buttons,
                       std::int32_t buttonCount) noexcept
{
    if ((key != kKeyEnter && key != kKeySpace) || input.pressedIndex < 0) {
        return kNothing;
    }
    if (buttons == nullptr || !ValidIndex(input.focusedIndex, buttonCount)) {
        return kNothing;
    }
    return Answer(buttons[input.focusedIndex].id);
}

InputOutcome MouseMoveRule(MsgBoxInput& input, std::uint32_t buttonFlags) noexcept
{
    if ((buttonFlags & kMouseLeftButton) == 0) {
        input.pressedIndex = -1;
    }
    return kRepaint;
}

InputOutcome LButtonDownRule(MsgBoxInput& input, const MsgBoxButton* buttons, std::int32_t buttonCount,
                             std::int32_t x, std::int32_t y) noexcept
{
    const std::int32_t hit = ButtonAt(buttons, buttonCount, x, y);
    if (hit >= 0) {
        input.focusVisible = 0;
        input.focusedIndex = hit;
        input.pressedIndex = hit;
    }
    return kRepaint;
}

InputOutcome LButtonUpRule(MsgBoxInput& input, const MsgBoxButton* buttons, std::int32_t buttonCount,
                           std::int32_t x, std::int32_t y) noexcept
{
    if (input.pressedIndex < 0) {
        return kNothing;
    }
    const std::int32_t pressed = input.pressedIndex;
    input.pressedIndex = -1;
    if (buttons != nullptr && ValidIndex(pressed, buttonCount) && buttons[pressed].rect.Contains(x, y)) {
        return Answer(buttons[pressed].id);
    }
    return kRepaint;
}

InputOutcome TimeoutRule() noexcept
{
    return Answer(kIdOk);
}

bool TimeoutInterval(std::int32_t timeoutSeconds, std::uint32_t& milliseconds) noexcept
{
    if (timeoutSeconds < 0) {
        return false;
    }
    const std::uint64_t wanted = static_cast<std::uint64_t>(timeoutSeconds) * 1000u;
    milliseconds = wanted > kLongestInterval ? kLongestInterval : static_cast<std::uint32_t>(wanted);
    return true;
}
