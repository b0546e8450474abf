#pragma once
// The command line of the box viewer:
//
//   msgbox_viewer [-labels "OK|Cancel|Abort|Try|Retry|Ignore|Yes|No|Continue"]
//                 [-repeat N] [TEXT [CAPTION [STYLE [TIMEOUT]]]]
//
// A text or caption left out is passed as null, "" as an empty text. STYLE
// is a 32-bit number, decimal or 0x-hexadecimal (default 0); TIMEOUT whole
// seconds, negative for none (default -1). -labels gives the nine button
// captions in slot order, as if they came from the language file; without
// it the box takes the platform's captions. -repeat shows the box N times (1
// to 1000), one after the other, and prints each answer on a line.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/button_labels.h"

struct ViewerOptions {
    std::optional<std::wstring> text;
    std::optional<std::wstring> caption;
    std::uint32_t style = 0;
    std::int32_t timeoutSeconds = -1;
    bool labelsGiven = false;
    std::int32_t repeat = 1;
    ButtonLabels labels{};
};

// Nothing when the command line is not understood. arguments excludes the
// program name.
[[nodiscard]] std::optional<ViewerOptions> ParseViewerOptions(const std::vector<std::wstring>& arguments);

// Exit codes besides the answers.
inline constexpr int kViewerNotShown = 0;     // the box could not be initialised
inline constexpr int kViewerBadCommand = 255;
