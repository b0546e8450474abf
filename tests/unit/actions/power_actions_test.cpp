#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "app/actions/power_actions.h"

namespace {

std::string Narrow(const wchar_t* text)
{
    std::string result;
    for (; text != nullptr && *text != L'\0'; ++text) {
        result += static_cast<char>(*text);
    }
    return result;
}

// Records every call in order and answers as its set-up says.
class FakePowerPlatform final : public PowerPlatform, public BoxShower {
public:
    PowerCapabilities Capabilities;
    PlatformCallResult Privilege{true, 0};
    PlatformCallResult PowerCall{true, 0};
    std::vector<std::string> Calls;

    PowerCapabilities QueryCapabilities() noexcept override
    {
        Calls.push_back("capabilities");
        return Capabilities;
    }
    PlatformCallResult EnablePrivilege(const wchar_t* privilegeName) noexcept override
    {
        Calls.push_back("privilege " + Narrow(privilegeName));
        return Privilege;
    }
    PlatformCallResult RequestSuspend(bool hibernate, bool force, bool wakeupEventsDisabled) noexcept override
    {
        Calls.push_back("suspend hibernate=" + std::to_string(hibernate) + " force=" + std::to_string(force) +
                        " wake-disabled=" + std::to_string(wakeupEventsDisabled));
        return PowerCall;
    }
    PlatformCallResult RequestExitWindows(std::uint32_t flags, std::uint32_t reason) noexcept override
    {
        char text[64];
        std::snprintf(text, sizeof text, "exit flags=0x%08X reason=0x%08X", flags, reason);
        Calls.push_back(text);
        return PowerCall;
    }
    std::wstring NoticeCaption() noexcept override { return L"caption"; }
    std::int32_t Show(const wchar_t*, const wchar_t*, std::uint32_t, std::int32_t) noexcept override
    {
        Calls.push_back("notice");
        return 1;
    }
    void TraceError(const char* function, int line, const wchar_t* format, std::uint32_t lastError) noexcept override
    {
        Lines.push_back(line);
        Calls.push_back(std::string("trace ") + function + ": " + Narrow(format) + " err=" + std::to_string(lastError));
    }
    std::vector<int> Lines;
};

constexpr PowerCapabilities kAll{true, true, true, true, 0};
constexpr PowerCapabilities kNone{false, false, false, false, 87};
constexpr PowerCapabilities kAllBut(bool s3, bool s4, bool s5, bool fastS4)
{
    return {s3, s4, s5, fastS4, 31};
}
constexpr PlatformCallResult kOk{true, 0};

enum class PowerAction { S3, S4, S5, Hybrid, Shutdown, Reboot };

// The notice policy 1 shows the notice, so that its place among the steps shows.
int RunAction(PowerAction action, FakePowerPlatform& platform)
{
    switch (action) {
    case PowerAction::S3:
        return DoS3(platform);
    case PowerAction::S4:
        return DoS4(platform);
    case PowerAction::S5:
        return DoS5(platform);
    case PowerAction::Hybrid:
        return DoHybridShutdown(platform);
    case PowerAction::Shutdown:
        return DoShutdown(platform, platform, 1);
    case PowerAction::Reboot:
        return DoReboot(platform, platform, 1);
    }
    return -1;
}

struct PowerCase {
    const char* name;
    PowerAction action;
    PowerCapabilities capabilities;
    PlatformCallResult privilege;
    PlatformCallResult powerCall;
    std::vector<std::string> calls;
    int exitCode;
};

const std::string kCaps = "capabilities";
const std::string kPrivilege = "privilege SeShutdownPrivilege";
const std::string kSleep = "suspend hibernate=0 force=0 wake-disabled=0";
const std::string kHibernate = "suspend hibernate=1 force=0 wake-disabled=0";
const std::string kPowerOff = "exit flags=0x0000000C reason=0x80000000";
const std::string kHybrid = "exit flags=0x00400005 reason=0x80000000";
const std::string kShutdown = "exit flags=0x00000005 reason=0x80000000";
const std::string kReboot = "exit flags=0x00000006 reason=0x80000000";
const std::string kPrivilegeRecord = ": Fail to enable SE_SHUTDOWN_NAME priviledge [Err=%u].\n err=1300";

TEST(PowerActions, CapabilityPrivilegeAndCallDecideInThatOrder)
{
    const PowerCase cases[] = {
        // Accepted: exit code 0, no record.
        {"S3 accepted", PowerAction::S3, kAll, kOk, kOk, {kCaps, kPrivilege, kSleep}, 0},
        {"S4 accepted", PowerAction::S4, kAll, kOk, kOk, {kCaps, kPrivilege, kHibernate}, 0},
        {"S5 accepted", PowerAction::S5, kAll, kOk, kOk, {kCaps, kPrivilege, kPowerOff}, 0},
        {"hybrid accepted", PowerAction::Hybrid, kAll, kOk, kOk, {kCaps, kPrivilege, kHybrid}, 0},
        // Shutdown and reboot test no capability and show the notice between
        // the privilege and the call.
        {"shutdown accepted", PowerAction::Shutdown, kNone, kOk, kOk, {kPrivilege, "notice", kShutdown}, 0},
        {"reboot accepted", PowerAction::Reboot, kNone, kOk, kOk, {kPrivilege, "notice", kReboot}, 0},

        // Each action tests its own capability field only.
        {"S3 missing", PowerAction::S3, kAllBut(false, true, true, true), kOk, kOk,
         {kCaps, "trace DoS3: Sleep state S3 is not supported [Err=%u].\n err=31"}, 1},
        {"S4 missing", PowerAction::S4, kAllBut(true, false, true, true), kOk, kOk,
         {kCaps, "trace DoS4: Sleep state S4 is not supported [Err=%u].\n err=31"}, 1},
        {"S5 missing", PowerAction::S5, kAllBut(true, true, false, true), kOk, kOk,
         {kCaps, "trace DoS5: Sleep state S5 is not supported [Err=%u].\n err=31"}, 1},
        {"fast S4 missing", PowerAction::Hybrid, kAllBut(true, true, true, false), kOk, kOk,
         {kCaps, "trace DoHybridShutdown: Sleep state Hybrid is not supported [Err=%u].\n err=31"}, 1},
        {"failed query, S5", PowerAction::S5, kNone, kOk, kOk,
         {kCaps, "trace DoS5: Sleep state S5 is not supported [Err=%u].\n err=87"}, 1},

        // Privilege refused: no notice and no power call.
        {"S3 privilege", PowerAction::S3, kAll, {false, 1300}, kOk, {kCaps, kPrivilege, "trace DoS3" + kPrivilegeRecord}, 1},
        {"reboot privilege", PowerAction::Reboot, kAll, {false, 1300}, kOk,
         {kPrivilege, "trace DoReboot" + kPrivilegeRecord}, 1},

        // Power call refused: the call's own error code.
        {"S4 refused", PowerAction::S4, kAll, kOk, {false, 50},
         {kCaps, kPrivilege, kHibernate, "trace DoS4: Fail to enter S4 [Err=%u].\n err=50"}, 1},
        {"hybrid refused", PowerAction::Hybrid, kAll, kOk, {false, 1314},
         {kCaps, kPrivilege, kHybrid, "trace DoHybridShutdown: Fail to enter Hybrid [Err=%u].\n err=1314"}, 1},
        {"reboot refused", PowerAction::Reboot, kAll, kOk, {false, 1314},
         {kPrivilege, "notice", kReboot, "trace DoReboot: Fail to enter Reboot [Err=%u].\n err=1314"}, 1},
    };
    for (const PowerCase& c : cases) {
        FakePowerPlatform platform;
        platform.Capabilities = c.capabilities;
        platform.Privilege = c.privilege;
        platform.PowerCall = c.powerCall;
        EXPECT_EQ(RunAction(c.action, platform), c.exitCode) << c.name;
        EXPECT_EQ(platform.Calls, c.calls) << c.name;
    }
}

TEST(PowerActions, EachActionsRecordsCarryTheLinesOfItsOwnSteps)
{
    constexpr PowerAction kActions[] = {PowerAction::S3,     PowerAction::S4,       PowerAction::S5,
                                        PowerAction::Hybrid, PowerAction::Shutdown, PowerAction::Reboot};
    std::set<int> lines;
    std::size_t records = 0;
    for (const PowerAction action : kActions) {
        // The three ways to fail, one at a time (no capability test for
        // shutdown and reboot).
        FakePowerPlatform noCapability;
        FakePowerPlatform noPrivilege;
        noPrivilege.Capabilities = kAll;
        noPrivilege.Privilege = {false, 5};
        FakePowerPlatform refused;
        refused.Capabilities = kAll;
        refused.PowerCall = {false, 5};
        for (FakePowerPlatform* platform : {&noCapability, &noPrivilege, &refused}) {
            static_cast<void>(RunAction(action, *platform));
            lines.insert(platform->Lines.begin(), platform->Lines.end());
            records += platform->Lines.size();
        }
    }
    EXPECT_EQ(records, 16u);
    EXPECT_EQ(lines.size(), records) << "no two steps share a line";
}

}  // namespace
