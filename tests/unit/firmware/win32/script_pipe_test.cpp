#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "fake_script_server.h"
#include "firmware/orvex_notify_script.h"
#include "firmware/win32/script_pipe.h"

namespace {

WmiScript SmallScript()
{
    WmiScript script;
    script.AddAction(401, L"__PATH");
    return script;
}

// One exchange with a fake server that answers reply.
WmiScriptResults Exchange(const Bytes& reply)
{
    FakeScriptServer server(reply);
    EXPECT_TRUE(server.Listening());
    UniqueFileHandle pipe;
    EXPECT_EQ(OpenScriptServerPipe(pipe), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(SendWmiScript(pipe.Get(), SmallScript()), static_cast<DWORD>(ERROR_SUCCESS));
    WmiScriptResults table;
    EXPECT_EQ(ReceiveWmiScriptResults(pipe.Get(), &table), static_cast<DWORD>(ERROR_SUCCESS));
    pipe.Reset();
    (void)server.Finish();
    return table;
}

TEST(ScriptPipe, OpeningWithoutAServerFailsAtOnceWithFileNotFoundAndDropsTheHandleHeld)
{
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    UniqueFileHandle pipe(event);
    EXPECT_EQ(OpenScriptServerPipe(pipe), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(pipe.Valid());
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(event, &flags)) << "the handle held before was not closed";
}

TEST(ScriptPipe, TheScriptGoesOutAsOneMessageOfUtf16LeWithoutByteOrderMarkOrTerminator)
{
    FakeScriptServer server(Utf16Le(L"WMIS_HRESULT=0"));
    ASSERT_TRUE(server.Listening());
    UniqueFileHandle pipe;
    ASSERT_EQ(OpenScriptServerPipe(pipe), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(SendWmiScript(pipe.Get(), BuildOrvexNotifyScript(16)), static_cast<DWORD>(ERROR_SUCCESS));
    WmiScriptResults table;
    EXPECT_EQ(ReceiveWmiScriptResults(pipe.Get(), &table), static_cast<DWORD>(ERROR_SUCCESS));
    pipe.Reset();

    const std::string expected =
        "[100=root\\wmi,0,][101=4,3,0,][102=Select * from OrvexMethod,16,][200=-1,][401=__PATH,]"
        "[104=OrvexMethod,OrvexNotify,][300=NotificationCode,16,][300=NotifycationParmeter,0,]"
        "[105=$(__PATH),0,][301=NotifycationReturnValue,]";
    Bytes expectedBytes;
    for (const char c : expected) {
        expectedBytes.push_back(static_cast<unsigned char>(c));
        expectedBytes.push_back(0);
    }
    const std::vector<Bytes>& received = server.Finish();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], expectedBytes);
    EXPECT_EQ(table.Read(L"WMIS_HRESULT"), L"0");
}

TEST(ScriptPipe, SendingFailsOnAPipeThatIsNotOfMessageType)
{
    FakeScriptServer server(std::nullopt, 1, PIPE_TYPE_BYTE);
    ASSERT_TRUE(server.Listening());
    UniqueFileHandle pipe;
    ASSERT_EQ(OpenScriptServerPipe(pipe), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(SendWmiScript(pipe.Get(), SmallScript()), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    pipe.Reset();
    EXPECT_TRUE(server.Finish().empty());
}

TEST(ScriptPipe, ReceivingFailsOnlyWithoutATable)
{
    EXPECT_EQ(ReceiveWmiScriptResults(INVALID_HANDLE_VALUE, nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    WmiScriptResults table;
    table.Store(L"Old", L"1");
    EXPECT_EQ(ReceiveWmiScriptResults(INVALID_HANDLE_VALUE, &table), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(table.Size(), 0u);
}

TEST(ScriptPipe, AReplyOfAnOddLengthEndsInACharacterOfItsLastByteAlone)
{
    Bytes reply = Utf16Le(L"A=1;B=5");
    reply.push_back('7');
    const WmiScriptResults table = Exchange(reply);
    EXPECT_EQ(table.Read(L"B"), L"57");
}

}  // namespace
