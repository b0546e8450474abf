#pragma once
// The notice before a shutdown or reboot: an empty band with one OK button on
// the dimmed screen for at most 5 seconds, shown only when ShowMsg is
// exactly 1.
#include <functional>
#include <string>

#include "app/box_shower.h"

inline constexpr std::int32_t kShutdownNoticeSeconds = 5;

// The caption; empty when it cannot be loaded.
using NoticeCaptionLoader = std::function<std::wstring()>;

// Shows the notice for the message policy showMsg; the caption is loaded
// only when the notice is shown, and the answer is not read.
void PresentShutdownNotice(std::uint32_t showMsg, const NoticeCaptionLoader& loadCaption,
                           const BoxShower& showBox) noexcept;
