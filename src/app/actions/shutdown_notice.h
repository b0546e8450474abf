#pragma once
// The notice before a shutdown or reboot: an empty band with one OK button on
// the dimmed screen for at most 5 seconds, shown only when ShowMsg is
// exactly 1.
#include <cstdint>

#include "app/actions/box_shower.h"
#include "app/actions/power_platform.h"

inline constexpr std::int32_t kShutdownNoticeSeconds = 5;

// Shows the notice for the message policy showMsg. The caption is loaded
// only when the notice is shown, and the answer is not read.
void PresentShutdownNotice(std::uint32_t showMsg, PowerPlatform& platform, BoxShower& box) noexcept;
