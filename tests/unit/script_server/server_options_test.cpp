#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script_server/server_options.h"

namespace {

std::optional<std::wstring> NoFiles(const std::wstring&)
{
    return std::nullopt;
}

TEST(ServerOptions, WithoutAProfileTheServerStartsFromReady)
{
    ServerOptions options;
    std::wstring error;
    ASSERT_TRUE(ParseServerArguments({L"--answer", L"20=1"}, NoFiles, options, error)) << std::string(error.begin(), error.end());
    EXPECT_EQ(ComposeReply(options.profile, 17, 0).text, L"WMIS_HRESULT=0;NotifycationReturnValue=0");
    EXPECT_EQ(ComposeReply(options.profile, 20, 0).text, L"WMIS_HRESULT=0;NotifycationReturnValue=1");
    EXPECT_TRUE(options.recordPath.empty());
    EXPECT_EQ(options.timeLimitSeconds, 0u);
    EXPECT_EQ(options.instances, 0u);
    EXPECT_FALSE(options.stop);
}

TEST(ServerOptions, ServerSettingsAndProfileSettingsMix)
{
    ServerOptions options;
    std::wstring error;
    const std::vector<std::wstring> arguments = {
        L"--profile", L"absent", L"--record", L"Z:\\tmp\\scripts.txt", L"--time-limit", L"30",
        L"--instances", L"1", L"--byte-pipe", L"--lower-case-keys", L"--answer", L"17=0"};
    ASSERT_TRUE(ParseServerArguments(arguments, NoFiles, options, error)) << std::string(error.begin(), error.end());
    EXPECT_EQ(options.recordPath, L"Z:\\tmp\\scripts.txt");
    EXPECT_EQ(options.timeLimitSeconds, 30u);
    EXPECT_EQ(options.instances, 1u);
    EXPECT_TRUE(options.bytePipe);
    // absent fails every code but the one answered after it.
    EXPECT_EQ(ComposeReply(options.profile, 24, 0).text, L"wmis_hresult=-2147217406;wmis_actionindex=3");
    EXPECT_EQ(ComposeReply(options.profile, 17, 0).text, L"wmis_hresult=0;notifycationreturnvalue=0");

    ServerOptions stop;
    ASSERT_TRUE(ParseServerArguments({L"--stop"}, NoFiles, stop, error));
    EXPECT_TRUE(stop.stop);
}

TEST(ServerOptions, BadArgumentsAreRefusedWithAReason)
{
    const std::vector<std::vector<std::wstring>> bad = {
        {L"-profile", L"ready"},          {L"--profile"},  {L"--profile", L"nonesuch"},
        {L"--time-limit", L"-1"},         {L"--instances", L"99999999999"},   {L"--answer", L"x=1"},
        {L"--bogus", L"1"},               {L"--"},
    };
    for (const auto& arguments : bad) {
        ServerOptions options;
        std::wstring error;
        EXPECT_FALSE(ParseServerArguments(arguments, NoFiles, options, error)) << std::string(arguments[0].begin(), arguments[0].end());
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
