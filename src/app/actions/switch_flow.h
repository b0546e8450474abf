#pragma once
// The OS switch flows: a fixed series of firmware questions, a refusal box
// when the answers forbid the switch, the hand-over to the configuration
// tool when the feature is not usable, the optional confirmation, and the
// switch order last. The firmware, the boxes and the tool are handed in.
#include <cstdint>

#include "app/actions/box_shower.h"
#include "app/actions/error_trace.h"
#include "app/actions/firmware_channel.h"
#include "app/actions/tool_launcher.h"
#include "lang/string_catalog.h"

enum class SwitchFlow : std::uint8_t {
    Switch,      // no option: with the readiness test, hands over when command 17 refuses
    SwitchNow,   // "-now": no readiness test, exit code 1 when command 17 refuses
};

inline constexpr std::uint32_t kCommandAvailability = 17;
inline constexpr std::uint32_t kCommandFeatureState = 24;
inline constexpr std::uint32_t kCommandCapabilities = 16;
inline constexpr std::uint32_t kCommandSwitch = 20;

// Runs the flow and returns the exit code: 0 when the switch was ordered and
// accepted, 1 on refusal, cancel or failure, or the tool launcher's result.
// The box texts come from catalog; showMsg 2 or above asks for confirmation,
// and a confirmation that got no answer is traced as an error.
[[nodiscard]] int RunSwitchFlow(SwitchFlow flow, FirmwareChannel& firmware, BoxShower& box, ToolLauncher& tool,
                                ErrorTrace& trace, std::uint32_t showMsg, const StringCatalog& catalog) noexcept;
