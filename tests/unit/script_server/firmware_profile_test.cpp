#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "firmware/receive_wmi_script_results.h"
#include "script_server/firmware_profile.h"

namespace {

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

FirmwareProfile Profile(const std::wstring& text, const ProfileFileReader& files = {})
{
    FirmwareProfile profile;
    std::wstring error;
    EXPECT_TRUE(ApplyProfileText(profile, text, files, error)) << Narrow(error);
    return profile;
}

std::wstring Answer(std::uint32_t value)
{
    return L"WMIS_HRESULT=0;NotifycationReturnValue=" + std::to_wstring(value);
}

TEST(FirmwareProfile, NamedProfilesAnswerTheSwitchersQuestions)
{
    const std::wstring absent = L"WMIS_HRESULT=-2147217406;WMIS_ActionIndex=3";
    const struct {
        const wchar_t* name;
        std::wstring on17, on24, on16, on20;
    } cases[] = {
        {L"ready", Answer(0), Answer(10), Answer(0x40000021), Answer(0)},
        {L"legacy", Answer(0), Answer(9), Answer(0x40000021), Answer(0)},
        {L"not-ready", Answer(0), Answer(2), Answer(0x40000021), Answer(0)},
        {L"feature-off", Answer(1), Answer(10), Answer(0x40000021), Answer(0)},
        {L"unconfigured", Answer(0), Answer(10), Answer(0x40000001), Answer(0)},
        {L"state-unknown", Answer(0), Answer(0x40000000), Answer(0x40000021), Answer(0)},
        {L"refused", Answer(0), Answer(10), Answer(0x40000021), Answer(1)},
        {L"absent", absent, absent, absent, absent},
    };
    EXPECT_EQ(NamedProfiles().size(), std::size(cases));
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.name));
        const FirmwareProfile profile = Profile(std::wstring(L"profile ") + c.name);
        EXPECT_EQ(ComposeReply(profile, 17, 0).text, c.on17);
        EXPECT_EQ(ComposeReply(profile, 24, 0).text, c.on24);
        EXPECT_EQ(ComposeReply(profile, 24, 1).text, c.on24);
        EXPECT_EQ(ComposeReply(profile, 16, 0).text, c.on16);
        EXPECT_EQ(ComposeReply(profile, 20, 0).text, c.on20);
        const ComposedReply unknown = ComposeReply(profile, 99, 0);
        EXPECT_FALSE(unknown.closeWithoutReply);
        EXPECT_EQ(unknown.delayMilliseconds, 0u);
        EXPECT_TRUE(unknown.text.starts_with(L"WMIS_HRESULT=-21472"));
    }
}

TEST(FirmwareProfile, SettingsShapeEachCodesReply)
{
    const FirmwareProfile profile = Profile(
        L"# a comment, then settings with blanks and CR LF\r\n"
        L"  profile ready  \r\n"
        L"\r\n"
        L"answer 24=10,2\n"
        L"fail 16=0x80041002@3\n"
        L"fail 18=-5\n"
        L"delay *=100\n"
        L"delay 17=7\n"
        L"close 21\n"
        L"raw 22=A=\\u4e2d;B=\\\\;\\u0000\n"
        L"answer 23=4294967295\n");
    EXPECT_EQ(ComposeReply(profile, 24, 0).text, Answer(10));
    EXPECT_EQ(ComposeReply(profile, 24, 1).text, Answer(2));
    EXPECT_EQ(ComposeReply(profile, 24, 7).text, Answer(2));
    EXPECT_EQ(ComposeReply(profile, 16, 0).text, L"WMIS_HRESULT=-2147217406;WMIS_ActionIndex=3");
    EXPECT_EQ(ComposeReply(profile, 18, 0).text, L"WMIS_HRESULT=-5;WMIS_ActionIndex=9");
    EXPECT_EQ(ComposeReply(profile, 20, 0).delayMilliseconds, 100u);
    EXPECT_EQ(ComposeReply(profile, 17, 0).delayMilliseconds, 7u);
    EXPECT_TRUE(ComposeReply(profile, 21, 0).closeWithoutReply);
    EXPECT_EQ(ComposeReply(profile, 22, 0).text, std::wstring(L"A=\u4e2d;B=\\;\0", 9));
    EXPECT_EQ(ComposeReply(profile, 23, 0).text, Answer(0xFFFFFFFFu));
}

TEST(FirmwareProfile, ALaterOutcomeReplacesTheEarlierOneForTheCodesItNames)
{
    // Every code fails, after the ready answers: none of them is left.
    FirmwareProfile profile = Profile(L"profile ready\nfail *=-1@2\n");
    EXPECT_EQ(ComposeReply(profile, 17, 0).text, L"WMIS_HRESULT=-1;WMIS_ActionIndex=2");
    profile = Profile(L"close 16\nanswer 16=5\n");
    EXPECT_FALSE(ComposeReply(profile, 16, 0).closeWithoutReply);
}

// Reads a reply the way the switcher does, in passes of its buffer.
class WholeMessage final : public ReplySource {
public:
    explicit WholeMessage(std::wstring text) : text_(std::move(text)) {}
    ReplyRead Read(wchar_t* into, std::size_t capacity) noexcept override
    {
        const std::size_t count = std::min(capacity, text_.size() - at_);
        std::copy_n(text_.data() + at_, count, into);
        at_ += count;
        return {count, at_ < text_.size()};
    }

private:
    std::wstring text_;
    std::size_t at_ = 0;
};

TEST(FirmwareProfile, APaddedReplyHasTheSizeAskedForAndStillCarriesItsAnswer)
{
    for (const std::uint32_t bytes : {0u, 96u, 98u, 100u, 5000u, 100000u}) {
        SCOPED_TRACE(bytes);
        const FirmwareProfile profile = Profile(L"answer 16=1073741857\nsize 16=" + std::to_wstring(bytes));
        const std::wstring reply = ComposeReply(profile, 16, 0).text;
        EXPECT_EQ(reply.size(), std::max<std::size_t>(bytes / 2, Answer(0x40000021).size()));
        WmiScriptResults table;
        WholeMessage source(reply);
        EXPECT_TRUE(ReceiveWmiScriptResultsFrom(source, &table));
        EXPECT_EQ(table.Read(L"NotifycationReturnValue"), L"1073741857");
        EXPECT_EQ(table.Read(L"WMIS_HRESULT"), L"0");
    }
}

TEST(FirmwareProfile, ProfileFilesAreReadThroughTheReaderAndMayNotNestForever)
{
    const std::map<std::wstring, std::wstring> files = {
        {L"C:\\p\\mine.txt", L"profile ready\nanswer 20=5\n"},
        {L"C:\\p\\loop.txt", L"profile C:\\p\\loop.txt\n"},
    };
    const ProfileFileReader reader = [&](const std::wstring& path) -> std::optional<std::wstring> {
        const auto found = files.find(path);
        return found == files.end() ? std::nullopt : std::optional<std::wstring>(found->second);
    };
    const FirmwareProfile mine = Profile(L"profile C:\\p\\mine.txt", reader);
    EXPECT_EQ(ComposeReply(mine, 20, 0).text, Answer(5));
    EXPECT_EQ(ComposeReply(mine, 24, 0).text, Answer(10));

    FirmwareProfile loop;
    std::wstring error;
    EXPECT_FALSE(ApplyProfileText(loop, L"profile C:\\p\\loop.txt", reader, error));
    EXPECT_NE(error.find(L"nest"), std::wstring::npos);
}

TEST(FirmwareProfile, ACutReplyIsTheHeadOfTheWholeReplyAndEndsTheConnection)
{
    const std::wstring whole = Answer(0x40000021);
    const struct {
        std::wstring settings;
        std::wstring reply;
        bool closes;
    } cases[] = {
        {L"answer 16=1073741857", whole, false},
        {L"answer 16=1073741857\ncut 16=31", L"WMIS_HRESULT=0;", true},     // whole characters only
        {L"answer 16=1073741857\ncut 16=0", L"", true},
        {L"answer 16=1073741857\ncut 16=100000", whole, true},              // longer than the reply
        {L"answer 16=1073741857\ncut *=30\ncut 16=4", L"WM", true},         // the code's own cut wins
        {L"answer 16=1073741857\ncut 17=4", whole, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.settings));
        const ComposedReply reply = ComposeReply(Profile(c.settings), 16, 0);
        EXPECT_EQ(reply.text, c.reply);
        EXPECT_EQ(reply.closeAfterReply, c.closes);
        EXPECT_FALSE(reply.closeWithoutReply);
    }
    // The cut comes after the padding, so it can fall ahead of the answer.
    const ComposedReply padded = ComposeReply(Profile(L"answer 16=1073741857\nsize 16=10000\ncut 16=6000"), 16, 0);
    EXPECT_EQ(padded.text, ComposeReply(Profile(L"answer 16=1073741857\nsize 16=10000"), 16, 0).text.substr(0, 3000));
    EXPECT_EQ(padded.text.find(L"NotifycationReturnValue"), std::wstring::npos);
}

TEST(FirmwareProfile, SettingsThatAreNotUnderstoodAreRefused)
{
    const wchar_t* bad[] = {
        L"answer 17",        L"answer 17=",          L"answer 17=4294967296", L"answer 17=1,,2",
        L"answer -1=0",      L"fail 16=1@",          L"fail 16=0x1FFFFFFFF",  L"delay 16=-1",
        L"size 16=16777217", L"raw 16=\\q",          L"raw 16=\\u12",         L"raw 16=\\",
        L"close x",          L"cut 16=16777217",     L"profile nonesuch",     L"bogus 1",
        L"answer",
    };
    for (const wchar_t* setting : bad) {
        FirmwareProfile profile;
        std::wstring error;
        EXPECT_FALSE(ApplyProfileText(profile, setting, {}, error)) << Narrow(setting);
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
