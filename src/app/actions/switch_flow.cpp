#include "app/actions/switch_flow.h"

namespace {

// Presets: each one leads to a defined branch when the firmware does not
// answer (17 stops, 24 passes both tests, 16 hands over, 20 fails).
constexpr std::uint32_t kAvailabilityPreset = 1;
constexpr std::uint32_t kFeatureStatePreset = 0x40000000;
constexpr std::uint32_t kCapabilitiesPreset = 0;
constexpr std::uint32_t kSwitchPreset = 1;

constexpr std::uint32_t kNoAnswerBits = 0xC0000000;        // bit 31 or 30: the value is no answer
constexpr std::uint32_t kLegacyFieldMask = 0x00000003;     // bits 1-0
constexpr std::uint32_t kLegacySupportOff = 2;
constexpr std::uint32_t kReadyBit = 0x00000008;            // bit 3
constexpr std::uint32_t kRequiredCapabilities = 0x40000021;   // bits 30, 5 and 0

constexpr wchar_t kNoCaption[] = L"";
constexpr wchar_t kWarningCaption[] = L"Warning";
constexpr wchar_t kConfirmationUnanswered[] =
    L"The switch confirmation ended without an answer; no switch is ordered [ShowMsg=%u].\n";

std::uint32_t Ask(FirmwareChannel& firmware, std::uint32_t commandCode, std::uint32_t preset) noexcept
{
    std::uint32_t value = preset;
    static_cast<void>(firmware.SendCommand(commandCode, 0, &value));
    return value;
}

bool CountsAsNoAnswer(std::uint32_t featureState) noexcept
{
    return (featureState & kNoAnswerBits) != 0;
}

bool LegacySupportForbidsSwitch(std::uint32_t featureState) noexcept
{
    return !CountsAsNoAnswer(featureState) && (featureState & kLegacyFieldMask) != kLegacySupportOff;
}

bool FeatureNotReady(std::uint32_t featureState) noexcept
{
    return !CountsAsNoAnswer(featureState) && (featureState & kReadyBit) == 0;
}

bool CapabilitiesComplete(std::uint32_t capabilities) noexcept
{
    return (capabilities & kRequiredCapabilities) == kRequiredCapabilities;
}

}  // namespace

int RunSwitchFlow(SwitchFlow flow, FirmwareChannel& firmware, BoxShower& box, ToolLauncher& tool, ErrorTrace& trace,
                  std::uint32_t showMsg, const StringCatalog& catalog) noexcept
{
    if (Ask(firmware, kCommandAvailability, kAvailabilityPreset) != 0) {
        return flow == SwitchFlow::Switch ? tool.LaunchConfigTool() : 1;
    }

    if (LegacySupportForbidsSwitch(Ask(firmware, kCommandFeatureState, kFeatureStatePreset))) {
        static_cast<void>(box.Show(catalog.Text(CatalogEntry::OSSWITCHER_IDS_SWITCH_WITH_LEGACY), kNoCaption,
                                   kBoxStyleErrorOk, kBoxNoTimeout));
        return 1;
    }

    if (!CapabilitiesComplete(Ask(firmware, kCommandCapabilities, kCapabilitiesPreset))) {
        return tool.LaunchConfigTool();
    }

    // The readiness test reads a fresh answer, not the legacy test's.
    if (flow == SwitchFlow::Switch && FeatureNotReady(Ask(firmware, kCommandFeatureState, kFeatureStatePreset))) {
        static_cast<void>(box.Show(catalog.Text(CatalogEntry::OSSWITCHER_IDS_SWITCH_FEATURE_NOT_READY),
                                   kWarningCaption, kBoxStyleOk, kBoxNoTimeout));
        return 1;
    }

    if (showMsg >= 2) {
        const std::int32_t answer = box.Show(catalog.Text(CatalogEntry::OSSWITCHER_IDS_SWITCH_CONTINUE), kNoCaption,
                                             kBoxStyleInformationOkCancel, kBoxNoTimeout);
        // Only the user's answer is consent: a box that could not be shown,
        // or that was ended from outside, orders nothing.
        if (answer == kIdNone) {
            trace.TraceError(__func__, __LINE__, kConfirmationUnanswered, showMsg);
            return 1;
        }
        if (answer == kIdCancel) {
            return 1;
        }
    }

    // The order is the last thing the program does; carrying it out is the
    // firmware's business.
    return Ask(firmware, kCommandSwitch, kSwitchPreset) == 0 ? 0 : 1;
}
