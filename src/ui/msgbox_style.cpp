#include "ui/msgbox_style.h"

ButtonSet ButtonSetOfStyle(std::uint32_t style) noexcept
{
    constexpr ButtonEntry ok{kIdOk, ButtonSlot::Ok, 800};
    constexpr ButtonEntry cancel{kIdCancel, ButtonSlot::Cancel, 801};
    constexpr ButtonEntry abort{kIdAbort, ButtonSlot::Abort, 802};
    constexpr ButtonEntry retry{kIdRetry, ButtonSlot::Retry, 803};
    constexpr ButtonEntry ignore{kIdIgnore, ButtonSlot::Ignore, 804};
    constexpr ButtonEntry yes{kIdYes, ButtonSlot::Yes, 805};
    constexpr ButtonEntry no{kIdNo, ButtonSlot::No, 806};
    constexpr ButtonEntry tryAgain{kIdTryAgain, ButtonSlot::Try, 809};
    constexpr ButtonEntry continueButton{kIdContinue, ButtonSlot::Continue, 810};
    constexpr ButtonEntry singleOk{kIdOk, ButtonSlot::Ok, 905};

    switch (style & 0xFu) {
    case 1:
        return {2, {ok, cancel, {}}};
    case 2:
        return {3, {abort, retry, ignore}};
    case 3:
        return {3, {yes, no, cancel}};
    case 4:
        return {2, {yes, no, {}}};
    case 6:
        return {3, {cancel, tryAgain, continueButton}};
    default:
        return {1, {singleOk, {}, {}}};
    }
}

std::uint32_t IconIdOfStyle(std::uint32_t style) noexcept
{
    switch (style & 0xF0u) {
    case 0x10:
        return 32513;
    case 0x20:
        return 32514;
    case 0x30:
        return 32515;
    case 0x40:
        return 32516;
    default:
        return 0;
    }
}

bool EscapeAllowed(std::uint32_t style) noexcept
{
    switch (style & 0xFu) {
    case 0:
    case 1:
    case 3:
    case 6:
        return true;
    default:
        return false;
    }
}
