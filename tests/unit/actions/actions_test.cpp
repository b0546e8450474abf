// The actions' decisions against a scripted firmware, box, tool, shell and
// power platform. Each run is written down as the calls it made, in order.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/actions/config_tool_launch.h"
#include "app/actions/power_actions.h"
#include "app/actions/switch_flow.h"
#include "app/actions/taskbar_shortcut.h"

namespace {

std::string Narrow(std::wstring_view text)
{
    return {text.begin(), text.end()};
}

class Rig final : public FirmwareChannel, public BoxShower, public ToolLauncher, public PowerPlatform, public Shell,
                  public ErrorTrace {
public:
    std::vector<std::optional<std::uint32_t>> answers;   // per command; nullopt: the value keeps its preset
    std::vector<bool> plain;                              // per check of a name; beyond: plain
    std::int32_t boxAnswer = kIdOk;
    int toolResult = 0, opened = 1;
    PowerCapabilities capabilities{true, true, true, true, 0};
    PlatformCallResult privilege{true, 0}, powerCall{true, 0};
    std::wstring temp;
    std::string calls;

    std::int32_t SendCommand(std::uint32_t code, std::uint32_t reserved, std::uint32_t* value) noexcept override
    {
        Add(std::to_string(code) + (reserved != 0 ? "(reserved!)" : ""));
        if (sent_ < answers.size() && answers[sent_]) {
            *value = *answers[sent_];
        }
        return ++sent_, 0;
    }
    std::int32_t Show(const wchar_t* text, const wchar_t* caption, std::uint32_t style, std::int32_t timeout) noexcept override
    {
        Add("box " + Narrow(text) + "|" + Narrow(caption) + "|" + std::to_string(style) + "|" + std::to_string(timeout));
        return boxAnswer;
    }
    int LaunchConfigTool() noexcept override { return Add("tool"), toolResult; }
    PowerCapabilities QueryCapabilities() noexcept override { return Add("capabilities"), capabilities; }
    PlatformCallResult EnablePrivilege(const wchar_t* name) noexcept override { return Add(Narrow(name)), privilege; }
    PlatformCallResult RequestSuspend(bool hibernate, bool force, bool wakeupDisabled) noexcept override
    {
        return Add(std::string(hibernate ? "hibernate" : "sleep") + (force || wakeupDisabled ? "(forced!)" : "")), powerCall;
    }
    PlatformCallResult RequestExitWindows(std::uint32_t flags, std::uint32_t reason) noexcept override
    {
        char text[48];
        std::snprintf(text, sizeof text, "exit %08X %08X", flags, reason);
        return Add(text), powerCall;
    }
    std::wstring NoticeCaption() noexcept override { return L"Notice"; }
    void TraceError(const char* function, int, const wchar_t* format, std::uint32_t error) noexcept override
    {
        const std::string text = Narrow(format);
        Add(std::string("error ") + function + " '" + text.substr(0, text.find(" [")) + "' " + std::to_string(error));
    }
    int Open(const std::wstring& file) noexcept override { return Add("open " + Narrow(file)), opened; }
    std::wstring TempDirectory() noexcept override { return temp; }
    int SaveShortcut(const std::wstring& shortcut, const std::wstring& target) noexcept override
    {
        return Add("save " + Narrow(shortcut) + " -> " + Narrow(target)), 1;
    }
    bool IsPlainFileOrAbsent(const std::wstring& path) noexcept override
    {
        const bool isPlain = checked_ >= plain.size() || plain[checked_];
        return ++checked_, Add((isPlain ? "plain " : "foreign ") + Narrow(path)), isPlain;
    }
    int DeleteShellFile(const std::wstring& path) noexcept override { return Add("delete " + Narrow(path)), 1; }

private:
    void Add(const std::string& call) { calls += (calls.empty() ? "" : ", ") + call; }
    std::size_t sent_ = 0, checked_ = 0;
};

constexpr std::optional<std::uint32_t> kSilent = std::nullopt;
constexpr std::uint32_t kReady = 0x0A;         // legacy support off (2), ready bit 3
constexpr std::uint32_t kNotReady = 0x02;
constexpr std::uint32_t kCapable = 0x40000021;   // bits 30, 5 and 0

TEST(SwitchFlow, FirmwareAnswersPolicyAndBoxDecideOneBranchEach)
{
    const auto S = SwitchFlow::Switch;
    const auto N = SwitchFlow::SwitchNow;
    const std::string whole = "17, 24, 16, 24, 20";
    const struct { const char* name; SwitchFlow flow; std::uint32_t showMsg;
        std::vector<std::optional<std::uint32_t>> answers; std::int32_t boxAnswer; int toolResult; std::string calls;
        int exitCode; } cases[] = {
        {"ready, accepted", S, 0, {0, kReady, kCapable, kReady, 0}, 1, 0, whole, 0},
        {"the order unanswered", S, 0, {0, kReady, kCapable, kReady, kSilent}, 1, 0, whole, 1},
        {"confirmed", S, 2, {0, kReady, kCapable, kReady, 0}, 7, 0, "17, 24, 16, 24, box C||65|-1, 20", 0},
        {"cancelled", S, 0xFFFFFFFF, {0, kReady, kCapable, kReady}, 2, 0, "17, 24, 16, 24, box C||65|-1", 1},
        {"no answer is no consent", S, 2, {0, kReady, kCapable, kReady}, 0, 0, "17, 24, 16, 24, box C||65|-1, "
         "error RunSwitchFlow 'The switch confirmation ended without an answer; no switch is ordered' 2", 1},
        {"ShowMsg 1 asks nothing", S, 1, {0, kReady, kCapable, kReady, 0}, 2, 0, whole, 0},
        {"17 unanswered: the tool's result", S, 0, {kSilent}, 1, 1, "17, tool", 1},
        {"17 refuses -now", N, 0, {1}, 1, 0, "17", 1},
        {"legacy support on, whatever ShowMsg", S, 0, {0, 0x03}, 1, 0, "17, 24, box L||16|-1", 1},
        {"24 unanswered counts as passing both tests", S, 0, {0, kSilent, kCapable, kSilent, 0}, 1, 0, whole, 0},
        {"24 with bit 31 or 30 counts as no answer", S, 0, {0, 0x80000000, kCapable, 0x40000000, 0}, 1, 0, whole, 0},
        {"16 without bit 30: the tool", S, 0, {0, kReady, 0x00000021}, 1, 0, "17, 24, 16, tool", 0},
        {"16 without bit 5", S, 0, {0, kReady, 0x40000001}, 1, 0, "17, 24, 16, tool", 0},
        {"16 unanswered", S, 0, {0, kReady, kSilent}, 1, 1, "17, 24, 16, tool", 1},
        {"not ready by the second answer", S, 2, {0, kReady, kCapable, kNotReady}, 1, 0, "17, 24, 16, 24, box N|Warning|0|-1", 1},
        {"ready by the second answer", S, 0, {0, kNotReady, kCapable, kReady, 0}, 1, 0, whole, 0},
        {"-now does not test readiness", N, 2, {0, kNotReady, kCapable, 0}, 1, 0, "17, 24, 16, box C||65|-1, 20", 0},
    };
    StringCatalog catalog{};
    catalog.Texts[static_cast<std::size_t>(CatalogEntry::OSSWITCHER_IDS_SWITCH_WITH_LEGACY)] = L"L";
    catalog.Texts[static_cast<std::size_t>(CatalogEntry::OSSWITCHER_IDS_SWITCH_FEATURE_NOT_READY)] = L"N";
    catalog.Texts[static_cast<std::size_t>(CatalogEntry::OSSWITCHER_IDS_SWITCH_CONTINUE)] = L"C";
    for (const auto& c : cases) {
        Rig rig;
        rig.answers = c.answers;
        rig.boxAnswer = c.boxAnswer;
        rig.toolResult = c.toolResult;
        EXPECT_EQ(RunSwitchFlow(c.flow, rig, rig, rig, rig, c.showMsg, catalog), c.exitCode) << c.name;
        EXPECT_EQ(rig.calls, c.calls) << c.name;
    }
}

TEST(PowerActions, CapabilityPrivilegeNoticeAndCallComeInThatOrderAndTheFirstFailureEndsIt)
{
    using Action = int (*)(Rig&, std::uint32_t);
    const Action s3 = [](Rig& r, std::uint32_t) { return DoS3(r, r); }, s4 = [](Rig& r, std::uint32_t) { return DoS4(r, r); },
                 s5 = [](Rig& r, std::uint32_t) { return DoS5(r, r); },
                 hybrid = [](Rig& r, std::uint32_t) { return DoHybridShutdown(r, r); },
                 shutdown = [](Rig& r, std::uint32_t showMsg) { return DoShutdown(r, r, r, showMsg); },
                 reboot = [](Rig& r, std::uint32_t showMsg) { return DoReboot(r, r, r, showMsg); };
    const std::string priv = "SeShutdownPrivilege";
    const struct { const char* name; Action action; std::uint32_t showMsg; PowerCapabilities capabilities;
        PlatformCallResult privilege, call; std::string calls; int exitCode; } cases[] = {
        {"sleep", s3, 1, {true, false, false, false}, {true}, {true}, "capabilities, " + priv + ", sleep", 0},
        {"hibernate", s4, 1, {false, true, false, false}, {true}, {true}, "capabilities, " + priv + ", hibernate", 0},
        {"power off", s5, 1, {false, false, true, false}, {true}, {true},
         "capabilities, " + priv + ", exit 0000000C 80000000", 0},
        {"hybrid", hybrid, 1, {false, false, false, true}, {true}, {true},
         "capabilities, " + priv + ", exit 00400005 80000000", 0},
        {"shutdown with the notice", shutdown, 1, {}, {true}, {true}, priv + ", box |Notice|0|5, exit 00000005 80000000", 0},
        {"reboot with the notice", reboot, 1, {}, {true}, {true}, priv + ", box |Notice|0|5, exit 00000006 80000000", 0},
        {"reboot, ShowMsg 2: no notice", reboot, 2, {}, {true}, {true}, priv + ", exit 00000006 80000000", 0},
        {"no S3", s3, 1, {false, true, true, true, 50}, {true}, {true},
         "capabilities, error DoS3 'Sleep state S3 is not supported' 50", 1},
        {"no fast S4", hybrid, 1, {true, true, true, false, 50}, {true}, {true},
         "capabilities, error DoHybridShutdown 'Sleep state Hybrid is not supported' 50", 1},
        {"no privilege", reboot, 1, {}, {false, 1300}, {true},
         priv + ", error DoReboot 'Fail to enable SE_SHUTDOWN_NAME priviledge' 1300", 1},
        {"refused", s4, 1, {true, true, true, true}, {true}, {false, 5},
         "capabilities, " + priv + ", hibernate, error DoS4 'Fail to enter S4' 5", 1},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.capabilities = c.capabilities;
        rig.privilege = c.privilege;
        rig.powerCall = c.call;
        EXPECT_EQ(c.action(rig, c.showMsg), c.exitCode) << c.name;
        EXPECT_EQ(rig.calls, c.calls) << c.name;
    }
}

TEST(ShellActions, TheShortcutIsWrittenAndDeletedOverAPlainFileAndTheToolStartedFromTheProgramsFolder)
{
    const struct { const char* name; bool taskbar; std::wstring folder, temp; std::vector<bool> plain; int opened;
        std::string calls; int exitCode; } cases[] = {
        {"taskbar", true, L"C:\\P\\", L"T:\\", {}, 1,
         "plain T:\\OrvexSwitcher.lnk, save T:\\OrvexSwitcher.lnk -> C:\\P\\OrvexSwitcher.exe, "
         "plain T:\\OrvexSwitcher.lnk, delete T:\\OrvexSwitcher.lnk", 1},
        {"taskbar without a temporary folder", true, L"C:\\P\\", L"", {}, 1,
         "plain OrvexSwitcher.lnk, save OrvexSwitcher.lnk -> C:\\P\\OrvexSwitcher.exe, plain OrvexSwitcher.lnk, "
         "delete OrvexSwitcher.lnk", 1},
        // A link, folder or second name at the shortcut's name stops the option.
        {"taskbar over a planted link", true, L"C:\\P\\", L"T:\\", {false}, 1, "foreign T:\\OrvexSwitcher.lnk", 1},
        {"taskbar, a link planted after the save", true, L"C:\\P\\", L"T:\\", {true, false}, 1,
         "plain T:\\OrvexSwitcher.lnk, save T:\\OrvexSwitcher.lnk -> C:\\P\\OrvexSwitcher.exe, "
         "foreign T:\\OrvexSwitcher.lnk", 1},
        {"taskbar without a program folder", true, L"", L"T:\\", {}, 1, "", 1},
        {"tool started", false, L"C:\\P\\", L"", {}, 1, "open C:\\P\\OrvexConfigTool.exe", 0},
        {"tool not started", false, L"C:\\P\\", L"", {}, 0, "open C:\\P\\OrvexConfigTool.exe", 1},
        {"tool without a program folder", false, L"", L"", {}, 1, "", 1},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.temp = c.temp;
        rig.plain = c.plain;
        rig.opened = c.opened;
        const int exitCode = c.taskbar ? WriteAndDeleteShortcut(c.folder, rig) : LaunchConfigTool(c.folder, rig);
        EXPECT_EQ(exitCode, c.exitCode) << c.name;
        EXPECT_EQ(rig.calls, c.calls) << c.name;
    }
}

}  // namespace
