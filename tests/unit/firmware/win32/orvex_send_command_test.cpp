#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <string>

#include "app/ground/win32/trace_log.h"
#include "fake_script_server.h"
#include "firmware/win32/orvex_send_command.h"

namespace {

std::string ReadAll(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class OrvexSendCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        log_ = TraceLog::Instance().Path();
        ASSERT_FALSE(log_.empty());
        DeleteFileW(log_.c_str());
    }
    void TearDown() override { DeleteFileW(log_.c_str()); }

    // The log holds exactly one record: its level and message.
    void ExpectOneRecord(const std::string& level, const std::string& message)
    {
        const std::string content = ReadAll(log_);
        const std::regex record(R"(^\[[A-Z][a-z]{2} [ 0-9][0-9] [0-9]{4} [0-9:]{8}\] \[)" + level +
                                R"(\]\[Orvex_SendCommand\(\):[0-9]+\] (.*)\r\n$)");
        std::smatch match;
        ASSERT_TRUE(std::regex_match(content, match, record)) << content;
        EXPECT_EQ(match[1].str(), message);
    }

    std::wstring log_;
};

struct ReplyCase {
    const char* name;
    std::optional<Bytes> reply;   // nullopt: the server closes without answering
    std::uint32_t code;
    std::uint32_t preset;
    std::uint32_t result;
    std::uint32_t value;
    const char* level;
    std::string message;
};

TEST_F(OrvexSendCommand, TheReplyDecidesResultValueAndLogLine)
{
    const ReplyCase cases[] = {
        {"success", Utf16Le(L"WMIS_HRESULT=0;NotifycationReturnValue=5"), 16, 0, 0, 5, "INFO",
         "0x00000005 = OrvexNotify(0x00000010, 0x00000000)."},
        {"failure", Utf16Le(L"WMIS_HRESULT=-2147217406;WMIS_ActionIndex=3"), 16, 0x40000000, 0x80041002u, 0x40000000,
         "ERROR", "[HRESULT=0x80041002] [ActionIndex=3] OrvexNotify(0x00000010, 0x00000000)."},
        {"failure with a value", Utf16Le(L"WMIS_HRESULT=-1;WMIS_ActionIndex=9;NotifycationReturnValue=7"), 20, 1,
         0xFFFFFFFFu, 7, "ERROR", "[HRESULT=0xffffffff] [ActionIndex=9] OrvexNotify(0x00000014, 0x00000000)."},
        {"closed without answer", std::nullopt, 17, 1, 0x80004005u, 1, "ERROR",
         "[HRESULT=0x80004005] [ActionIndex=] OrvexNotify(0x00000011, 0x00000000)."},
    };
    for (const ReplyCase& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileW(log_.c_str());
        FakeScriptServer server(c.reply);
        ASSERT_TRUE(server.Listening());
        std::uint32_t value = c.preset;
        EXPECT_EQ(static_cast<std::uint32_t>(Orvex_SendCommand(c.code, 0, &value)), c.result);
        EXPECT_EQ(value, c.value);
        ExpectOneRecord(c.level, c.message);
        EXPECT_EQ(server.Finish().size(), 1u);
    }
}

TEST_F(OrvexSendCommand, TheReservedArgumentChangesNothingThatIsSent)
{
    FakeScriptServer server(Utf16Le(L"WMIS_HRESULT=0"), 2);
    ASSERT_TRUE(server.Listening());
    std::uint32_t value = 0;
    EXPECT_EQ(Orvex_SendCommand(16, 0, &value), 0);
    EXPECT_EQ(Orvex_SendCommand(16, 0xFFFFFFFFu, &value), 0);
    const std::vector<Bytes>& scripts = server.Finish();
    ASSERT_EQ(scripts.size(), 2u);
    EXPECT_EQ(scripts[0], scripts[1]);
}

TEST_F(OrvexSendCommand, WithoutAPlaceForTheValueNothingIsSent)
{
    FakeScriptServer server(Utf16Le(L"WMIS_HRESULT=0"), 1);
    ASSERT_TRUE(server.Listening());
    EXPECT_EQ(static_cast<std::uint32_t>(Orvex_SendCommand(20, 0, nullptr)), 0x80004003u);
    ExpectOneRecord("ERROR", "[HRESULT=0x80004003] [ActionIndex=] OrvexNotify(0x00000014, 0x00000000).");
    // Let the fake go: a client that sends nothing.
    UniqueFileHandle client(CreateFileW(L"\\\\.\\pipe\\OrvexScriptServer", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    client.Reset();
    EXPECT_TRUE(server.Finish().empty());
}

}  // namespace
