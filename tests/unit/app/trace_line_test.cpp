#include <gtest/gtest.h>

#include <string>

#include "app/ground/trace_line.h"

namespace {

struct EncodeCase {
    std::wstring line;
    std::string bytes;
};

TEST(TraceLine, FileBytesAreOneByteACharacterWithCrLfUpToTheFirstWideCharacter)
{
    const EncodeCase cases[] = {
        {L"", ""},
        {L"plain\n", "plain\r\n"},
        {L"caf\u00e9 \u00ff\n", "caf\xe9 \xff\r\n"},
        {L"before \u0100 after\n", "before "},
        {L"\u4e2d\n", ""},
        {L"cr\r\n", "cr\r\r\n"},
        {std::wstring(L"nul\0in", 6), std::string("nul\0in", 6)},
    };
    for (const EncodeCase& c : cases) {
        EXPECT_EQ(EncodeLogFileLine(c.line), c.bytes);
    }
}

TEST(TraceLine, LogFileSitsNextToTheProgramOrNowhere)
{
    EXPECT_EQ(LogPathForProgram(L"C:\\Apps\\OrvexSwitcher.exe"), L"C:\\Apps\\ORVEXLOG.log");
    EXPECT_EQ(LogPathForProgram(L"\\\\server\\share\\x.exe"), L"\\\\server\\share\\ORVEXLOG.log");
    EXPECT_EQ(LogPathForProgram(L"OrvexSwitcher.exe"), L"");
    EXPECT_EQ(LogPathForProgram(L""), L"");

    // The directory plus ORVEXLOG.log must fit in 259 characters.
    const std::wstring fits = L"C:\\" + std::wstring(259 - 3 - 12 - 1, L'd') + L"\\p.exe";
    EXPECT_EQ(LogPathForProgram(fits).size(), 259u);
    const std::wstring tooLong = L"C:\\" + std::wstring(259 - 3 - 12, L'd') + L"\\p.exe";
    EXPECT_EQ(LogPathForProgram(tooLong), L"");
}

struct EscapeCase {
    std::wstring text;
    std::wstring escaped;
};

TEST(TraceLine, OutsideTextCannotBreakARecord)
{
    const EscapeCase cases[] = {
        {L"9", L"9"},
        {L"9\r\n[forged] [INFO]", L"9\\x0d\\x0a[forged] [INFO]"},
        {std::wstring(L"a\0b\tc\x1f\x7f", 7), L"a\\x00b\\x09c\\x1f\\x7f"},
        // C1 controls (NEL) and the platform's line separators end lines in
        // some viewers too; printable Latin-1 and CJK text stays.
        {L"\x85\x9f\xa0\xe9", L"\\x85\\x9f\xa0\xe9"},
        {L"x\u2028y\u2029z\u4e2d", L"x\\u2028y\\u2029z\u4e2d"},
    };
    for (const EscapeCase& c : cases) {
        EXPECT_EQ(EscapeForRecord(c.text), c.escaped);
    }
}

}  // namespace
