#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/actions/switch_flow.h"

namespace {

// One firmware call: the command, the value preset before it, and what the
// firmware answers (nothing: the value keeps its preset).
struct Exchange {
    std::uint32_t code;
    std::uint32_t preset;
    std::optional<std::uint32_t> answer;
};

struct Sent {
    std::uint32_t code;
    std::uint32_t reserved;
    std::uint32_t preset;
    bool operator==(const Sent&) const = default;
};

struct Box {
    std::wstring text;
    std::wstring caption;
    std::uint32_t style;
    std::int32_t timeoutSeconds;
    bool operator==(const Box&) const = default;
};

void PrintTo(const Sent& sent, std::ostream* out)
{
    *out << "{command " << sent.code << ", reserved " << sent.reserved << ", preset 0x" << std::hex << sent.preset
         << std::dec << "}";
}

void PrintTo(const Box& box, std::ostream* out)
{
    *out << "{text of " << box.text.size() << ", caption of " << box.caption.size() << ", style " << box.style
         << ", timeout " << box.timeoutSeconds << "}";
}

constexpr std::optional<std::uint32_t> kSilent = std::nullopt;

Exchange Q17(std::optional<std::uint32_t> answer)
{
    return {17, 1, answer};
}
Exchange Q24(std::optional<std::uint32_t> answer)
{
    return {24, 0x40000000, answer};
}
Exchange Q16(std::optional<std::uint32_t> answer)
{
    return {16, 0, answer};
}
Exchange Q20(std::optional<std::uint32_t> answer)
{
    return {20, 1, answer};
}

const Box kLegacyBox{L"legacy text", L"", 16, -1};
const Box kNotReadyBox{L"not ready text", L"Warning", 0, -1};
const Box kConfirmBox{L"continue text", L"", 65, -1};

struct SwitchCase {
    const char* name;
    std::vector<Exchange> exchanges;
    std::uint32_t showMsg;
    std::int32_t boxAnswer;   // every box answers this; only the confirmation's is read
    std::vector<Box> boxes;
    int launches;
    int toolResult;
    int exitCode;
};

// A fresh run of the flow against a scripted firmware, boxes and tool.
class SwitchRun final : public FirmwareChannel, public BoxShower, public ToolLauncher {
public:
    explicit SwitchRun(const SwitchCase& c) : Case(c) {}

    int Run(SwitchFlow flow)
    {
        StringCatalog catalog = {};
        catalog.Texts[static_cast<std::size_t>(CatalogEntry::OSSWITCHER_IDS_SWITCH_WITH_LEGACY)] = L"legacy text";
        catalog.Texts[static_cast<std::size_t>(CatalogEntry::OSSWITCHER_IDS_SWITCH_FEATURE_NOT_READY)] =
            L"not ready text";
        catalog.Texts[static_cast<std::size_t>(CatalogEntry::OSSWITCHER_IDS_SWITCH_CONTINUE)] = L"continue text";
        return RunSwitchFlow(flow, *this, *this, *this, Case.showMsg, catalog);
    }

    std::int32_t SendCommand(std::uint32_t code, std::uint32_t reserved, std::uint32_t* value) noexcept override
    {
        const std::size_t index = SentCommands.size();
        SentCommands.push_back({code, reserved, *value});
        if (index < Case.exchanges.size() && Case.exchanges[index].answer.has_value()) {
            *value = *Case.exchanges[index].answer;
        }
        return 0;
    }

    std::int32_t Show(const wchar_t* text, const wchar_t* caption, std::uint32_t style,
                      std::int32_t timeout) noexcept override
    {
        ShownBoxes.push_back({text != nullptr ? text : L"(null)", caption != nullptr ? caption : L"(null)", style,
                              timeout});
        return Case.boxAnswer;
    }

    int LaunchConfigTool() noexcept override
    {
        ++Launches;
        return Case.toolResult;
    }

    std::vector<Sent> Expected() const
    {
        std::vector<Sent> sent;
        for (const Exchange& exchange : Case.exchanges) {
            sent.push_back({exchange.code, 0, exchange.preset});
        }
        return sent;
    }

    const SwitchCase& Case;
    std::vector<Sent> SentCommands;
    std::vector<Box> ShownBoxes;
    int Launches = 0;
};

void CheckFlow(SwitchFlow flow, const std::vector<SwitchCase>& cases)
{
    for (const SwitchCase& c : cases) {
        SwitchRun run(c);
        EXPECT_EQ(run.Run(flow), c.exitCode) << c.name;
        EXPECT_EQ(run.SentCommands, run.Expected()) << c.name;
        EXPECT_EQ(run.ShownBoxes, c.boxes) << c.name;
        EXPECT_EQ(run.Launches, c.launches) << c.name;
    }
}

constexpr std::uint32_t kReady = 0x0000000A;        // legacy support off (2), ready bit 3
constexpr std::uint32_t kNotReady = 0x00000002;     // legacy support off, bit 3 clear
constexpr std::uint32_t kCapable = 0x40000021;      // bits 30, 5 and 0

TEST(SwitchFlowWithoutOption, FollowsTheDecisionTable)
{
    CheckFlow(SwitchFlow::Switch, {
        // The road of a typical run, and the switch order's answers.
        {"ordered and accepted", {Q17(0), Q24(kReady), Q16(kCapable), Q24(kReady), Q20(0)}, 2, 1, {kConfirmBox}, 0, 0, 0},
        {"ordered, firmware refuses", {Q17(0), Q24(kReady), Q16(kCapable), Q24(kReady), Q20(5)}, 2, 1, {kConfirmBox}, 0, 0, 1},
        {"ordered, no answer", {Q17(0), Q24(kReady), Q16(kCapable), Q24(kReady), Q20(kSilent)}, 2, 1, {kConfirmBox}, 0, 0, 1},

        // The confirmation: only Cancel (2) stops, and only ShowMsg >= 2 asks.
        {"cancelled", {Q17(0), Q24(kReady), Q16(kCapable), Q24(kReady)}, 2, 2, {kConfirmBox}, 0, 0, 1},
        {"cancelled, ShowMsg max", {Q17(0), Q24(kReady), Q16(kCapable), Q24(kReady)}, 0xFFFFFFFF, 2, {kConfirmBox}, 0, 0, 1},
        {"answer other than cancel", {Q17(0), Q24(kReady), Q16(kCapable), Q24(kReady), Q20(0)}, 3, 7, {kConfirmBox}, 0, 0, 0},
        {"ShowMsg 1: no confirmation", {Q17(0), Q24(kReady), Q16(kCapable), Q24(kReady), Q20(0)}, 1, 2, {}, 0, 0, 0},

        // Command 17 not answered with 0: hand-over, its result is the exit code.
        {"17 refuses, tool starts", {Q17(1)}, 2, 1, {}, 1, 0, 0},
        {"17 refuses, tool missing", {Q17(0xFFFFFFFF)}, 2, 1, {}, 1, 1, 1},
        {"17 silent", {Q17(kSilent)}, 0, 1, {}, 1, 0, 0},

        // The legacy-support field (bits 1-0) must be 2, whatever ShowMsg.
        {"legacy field 0", {Q17(0), Q24(0)}, 0, 1, {kLegacyBox}, 0, 0, 1},
        {"legacy field 3", {Q17(0), Q24(0x3FFFFFFF)}, 1, 1, {kLegacyBox}, 0, 0, 1},

        // Bit 31 or 30 set: no answer, both tests pass.
        {"24 silent twice", {Q17(0), Q24(kSilent), Q16(kCapable), Q24(kSilent), Q20(0)}, 0, 1, {}, 0, 0, 0},
        {"24 bit 31", {Q17(0), Q24(0x80000000), Q16(kCapable), Q24(0x80000001), Q20(0)}, 0, 1, {}, 0, 0, 0},
        {"24 bit 30", {Q17(0), Q24(0x40000003), Q16(kCapable), Q24(0xC0000000), Q20(0)}, 0, 1, {}, 0, 0, 0},

        // Command 16 needs bits 30, 5 and 0, else hand-over.
        {"16 without bit 5", {Q17(0), Q24(kReady), Q16(0x40000001)}, 2, 1, {}, 1, 0, 0},
        {"16 without bit 30", {Q17(0), Q24(kReady), Q16(0x00000021)}, 2, 1, {}, 1, 1, 1},
        {"16 without bit 0", {Q17(0), Q24(kReady), Q16(0x40000020)}, 2, 1, {}, 1, 0, 0},
        {"16 silent", {Q17(0), Q24(kReady), Q16(kSilent)}, 2, 1, {}, 1, 0, 0},

        // The readiness test: bit 3 of a second, fresh answer, whatever ShowMsg.
        {"not ready", {Q17(0), Q24(kNotReady), Q16(kCapable), Q24(kNotReady)}, 0, 1, {kNotReadyBox}, 0, 0, 1},
        {"ready at first, not at second", {Q17(0), Q24(kReady), Q16(kCapable), Q24(kNotReady)}, 2, 1, {kNotReadyBox}, 0, 0, 1},
        {"not ready at first, ready at second", {Q17(0), Q24(kNotReady), Q16(kCapable), Q24(kReady), Q20(0)}, 2, 1, {kConfirmBox}, 0, 0, 0},
        {"second answer's legacy field is not tested", {Q17(0), Q24(kReady), Q16(kCapable), Q24(9), Q20(0)}, 0, 1, {}, 0, 0, 0},
        {"second answer not ready, legacy field 1", {Q17(0), Q24(kReady), Q16(kCapable), Q24(1)}, 0, 1, {kNotReadyBox}, 0, 0, 1},
    });
}

TEST(SwitchFlowNow, SkipsTheReadinessTestAndNeverHandsOverOnCommand17)
{
    CheckFlow(SwitchFlow::SwitchNow, {
        {"ordered and accepted", {Q17(0), Q24(kReady), Q16(kCapable), Q20(0)}, 2, 1, {kConfirmBox}, 0, 0, 0},
        {"ordered, firmware refuses", {Q17(0), Q24(kReady), Q16(kCapable), Q20(0x80000000)}, 0, 1, {}, 0, 0, 1},
        {"ordered, no answer", {Q17(0), Q24(kReady), Q16(kCapable), Q20(kSilent)}, 2, 1, {kConfirmBox}, 0, 0, 1},

        // Command 17 refused or silent: 1 at once, no box, no tool.
        {"17 refuses", {Q17(1)}, 2, 1, {}, 0, 0, 1},
        {"17 silent", {Q17(kSilent)}, 2, 1, {}, 0, 0, 1},

        {"legacy field 0", {Q17(0), Q24(0)}, 0, 1, {kLegacyBox}, 0, 0, 1},
        {"legacy field 3", {Q17(0), Q24(0x0B)}, 2, 1, {kLegacyBox}, 0, 0, 1},
        {"24 counts as no answer", {Q17(0), Q24(0x40000000), Q16(kCapable), Q20(0)}, 0, 1, {}, 0, 0, 0},
        {"24 silent", {Q17(0), Q24(kSilent), Q16(kCapable), Q20(0)}, 0, 1, {}, 0, 0, 0},

        // Not ready is no reason to stop without an option's readiness test.
        {"not ready goes on", {Q17(0), Q24(kNotReady), Q16(kCapable), Q20(0)}, 2, 1, {kConfirmBox}, 0, 0, 0},

        {"16 incomplete, tool starts", {Q17(0), Q24(kReady), Q16(0x40000001)}, 2, 1, {}, 1, 0, 0},
        {"16 silent, tool missing", {Q17(0), Q24(kReady), Q16(kSilent)}, 2, 1, {}, 1, 1, 1},

        {"cancelled", {Q17(0), Q24(kReady), Q16(kCapable)}, 2, 2, {kConfirmBox}, 0, 0, 1},
        {"ShowMsg 1: no confirmation", {Q17(0), Q24(kReady), Q16(kCapable), Q20(0)}, 1, 2, {}, 0, 0, 0},
    });
}

TEST(SwitchFlowBoxes, WithoutCatalogTextsTheBoxesStillAppear)
{
    // Command 17 answers 0, command 24 legacy field 0.
    const SwitchCase legacy{"legacy", {Q17(0), Q24(0)}, 2, 1, {}, 0, 0, 1};
    SwitchRun run(legacy);
    const StringCatalog empty = {};
    EXPECT_EQ(RunSwitchFlow(SwitchFlow::Switch, run, run, run, 2, empty), 1);
    EXPECT_EQ(run.ShownBoxes, (std::vector<Box>{{L"(null)", L"", 16, -1}}));
}

}  // namespace
