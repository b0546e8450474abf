#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "app/ground/win32/trace_log.h"

namespace {

std::string ReadAll(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string ExpectedHeaderPattern(const char* level, const char* function)
{
    return std::string(R"(\[[A-Z][a-z]{2} [ 123][0-9] [0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}\] \[)") + level + "\\]\\[" +
           function + R"(\(\):[0-9]+\] )";
}

class TraceLogFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = TraceLog::Instance().Path();
        ASSERT_FALSE(path_.empty());
        DeleteFileW(path_.c_str());
    }
    void TearDown() override { DeleteFileW(path_.c_str()); }
    std::wstring path_;
};

TEST_F(TraceLogFile, RecordsAreAppendedWithHeaderAndCrLf)
{
    TraceLog::Instance().Write(TRACE_ERROR, "DoS3", 232, L"Sleep state S3 is not supported [Err=%u].\n", 50u);
    TraceLog::Instance().Write(TRACE_DEBUG, "Orvex_SendCommand", 7,
                               L"0x%08x = OrvexNotify(0x%08x, 0x%08x) %s %S %d.\n", 5u, 16u, 0u, L"wide", "narrow",
                               -3);
    const std::string content = ReadAll(path_);
    const std::regex expected("^" + ExpectedHeaderPattern("ERROR", "DoS3") +
                              R"(Sleep state S3 is not supported \[Err=50\]\.\r\n)" +
                              ExpectedHeaderPattern("DEBUG", "Orvex_SendCommand") +
                              R"(0x00000005 = OrvexNotify\(0x00000010, 0x00000000\) wide narrow -3\.\r\n$)");
    EXPECT_TRUE(std::regex_match(content, expected)) << content;
    EXPECT_NE(content.find(":232] "), std::string::npos);
}

TEST_F(TraceLogFile, AFileHeldOpenByAnotherLosesTheLineOnly)
{
    HANDLE holder = CreateFileW(path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    TraceLog::Instance().Write(TRACE_ERROR, "F", 1, L"lost\n");
    CloseHandle(holder);
    TraceLog::Instance().Write(TRACE_ERROR, "F", 2, L"kept\n");
    const std::string content = ReadAll(path_);
    EXPECT_EQ(content.find("lost"), std::string::npos);
    EXPECT_NE(content.find("kept\r\n"), std::string::npos);
}

}  // namespace
