// The program's ground rules: the command line, the log's place, bytes and
// turns, the files it may write, a path's folder and the button captions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ground/plain_file_rule.h"
#include "app/program/fill_button_labels.h"
#include "ground/trace_line.h"
#include "app/program/program_options.h"

namespace {

TEST(ProgramOptions, TheLastArgumentOtherThanNomsgDecidesMatchedWholeFoldingOnlyAToZ)
{
    using A = ProgramAction;
    const struct { std::vector<std::wstring> arguments; ProgramAction action; bool showMsgCleared; } cases[] = {
        {{}, A::Switch, false},                   {{L"-s3"}, A::S3, false},
        {{L"-S4"}, A::S4, false},                 {{L"-s5"}, A::S5, false},
        {{L"-hybrid"}, A::Hybrid, false},         {{L"-shutdown"}, A::Shutdown, false},
        {{L"-reboot"}, A::Reboot, false},         {{L"-taskbarpin"}, A::TaskbarPin, false},
        {{L"-TaskBarUnPin"}, A::TaskbarUnpin, false}, {{L"-CONFIG"}, A::Config, false},
        {{L"-now"}, A::SwitchNow, false},         {{L"-reboot", L"-s3"}, A::S3, false},
        {{L"-NoMsg"}, A::Switch, true},           {{L"-reboot", L"-nomsg"}, A::Reboot, true},
        {{L"-s3x"}, A::None, false},
        {{L"-\u0130\u0131now"}, A::None, false},   // dotted and dotless i do not fold
        {{L"-\uff33\uff13"}, A::None, false},      // nor does a full-width S3
    };
    for (const auto& c : cases) {
        bool cleared = !c.showMsgCleared;
        EXPECT_EQ(ChooseAction(c.arguments, cleared), c.action) << testing::PrintToString(c.arguments);
        EXPECT_EQ(cleared, c.showMsgCleared) << testing::PrintToString(c.arguments);
    }
    EXPECT_TRUE(EqualsIgnoringAsciiCase(L"AZaz", L"azAZ"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase(L"[", L"{"));
}

TEST(TraceLine, TheLogSitsNextToTheProgramWhenThePathFits)
{
    const struct { std::wstring program, log; } paths[] = {
        {L"C:\\Apps\\OrvexSwitcher.exe", L"C:\\Apps\\ORVEXLOG.log"},
        {L"C:/Apps/OrvexSwitcher.exe", L""},   // no backslash, no folder: no file
        {L"C:\\" + std::wstring(243, L'd') + L"\\p.exe", L"C:\\" + std::wstring(243, L'd') + L"\\ORVEXLOG.log"},
        {L"C:\\" + std::wstring(244, L'd') + L"\\p.exe", L""},   // 260 with the NUL does not fit
    };
    for (const auto& p : paths) {
        EXPECT_EQ(LogPathForProgram(p.program), p.log) << p.program.size();
    }
}

TEST(TraceLine, TheFileTakesOneByteACharacterUpToTheFirstAbove255WithCrLf)
{
    const struct { std::wstring line; std::string bytes; } lines[] = {
        {L"caf\u00e9 \u00ff\n", "caf\xe9 \xff\r\n"}, {L"before \u0100 after\n", "before "}, {L"cr\r\n", "cr\r\r\n"}};
    for (const auto& l : lines) {
        EXPECT_EQ(EncodeLogFileLine(l.line), l.bytes);
    }
}

TEST(TraceLine, OutsideTextCannotEndARecordOrStartAForgedOne)
{
    const struct { std::wstring text, escaped; } records[] = {
        {L"9\r\n[forged] [INFO]", L"9\\x0d\\x0a[forged] [INFO]"},
        {std::wstring(L"a\0b\tc\x1f\x7f", 7), L"a\\x00b\\x09c\\x1f\\x7f"},
        // C1 controls (NEL) and the platform's line separators end lines in
        // some viewers too; printable Latin-1 and CJK text stays.
        {L"\x85\x9f\xa0\xe9", L"\\x85\\x9f\xa0\xe9"},
        {L"x\u2028y\u2029z\u4e2d", L"x\\u2028y\\u2029z\u4e2d"},
    };
    for (const auto& r : records) {
        EXPECT_EQ(EscapeForRecord(r.text), r.escaped);
    }
}

TEST(TraceLine, RunsStartedTogetherTakeTurnsAtTheLogForASecondAtMost)
{
    using S = LogOpenStep;
    const struct { LogOpenStep failed; std::uint32_t error; std::uint64_t elapsedMs; LogOpenStep next; } cases[] = {
        {S::Open, kErrorFileNotFound, 0, S::Create}, {S::Create, kErrorFileExists, 0, S::OpenTheirs},
        {S::OpenTheirs, kErrorFileNotFound, 0, S::Drop},   // the name stands, yet nothing opens: a dangling link
        {S::Open, kErrorSharingViolation, 0, S::WaitThenOpen}, {S::Create, kErrorLockViolation, 999, S::WaitThenOpen},
        {S::WaitThenOpen, kErrorSharingViolation, 1000, S::Drop}, {S::Create, 5, 0, S::Drop},   // 5: access denied
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NextLogOpenStep(c.failed, c.error, c.elapsedMs), c.next) << c.error << " after " << c.elapsedMs;
    }
}

TEST(PlainFile, OnlyWhatRedirectsTheNameIsRefusedAndAnUnresolvedFinalPathLeavesTheRest)
{
    constexpr std::uint32_t kLink = 0xA000000C, kMountPoint = 0xA0000003, kCloud = 0x9000601A, kFile = 0x20;
    constexpr std::uint32_t kReparse = kAttributeReparsePoint, kFolder = kAttributeDirectory;
    const auto in = FinalPlace::InFolder, unknown = FinalPlace::Unresolved;   // unknown: RAM disks, no drive letter
    const struct { FileFacts facts; bool plain; } cases[] = {
        {{kFile, 0, 1, in}, true}, {{kFolder, 0, 1, in}, false}, {{kFile, 0, 2, in}, false},
        // A symbolic link opened as itself reports its own final path: the tag alone gives it away.
        {{kFile | kReparse, kLink, 1, in}, false}, {{kReparse, kMountPoint, 1, in}, false},
        {{kFile | kReparse, kCloud, 1, in}, true},
        {{kFile, 0, 1, FinalPlace::Elsewhere}, false},   // a link that is no reparse point (Wine's host links)
        {{kFile, 0, 1, unknown}, true}, {{kReparse, kLink, 1, unknown}, false}, {{kFile, 0, 2, unknown}, false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(IsPlainFile(cases[i].facts), cases[i].plain) << "case " << i;
    }
}

TEST(ButtonLabels, EachSlotShowsTheTextOfTheKeyNamedForItCutTo31Characters)
{
    // Every catalog text is the name of its own key, so a caption names the key it came from.
    StringCatalog catalog{};
    catalog.Loaded = 1;
    std::wstring texts[kCatalogEntryCount];
    for (std::size_t i = 0; i < kCatalogEntryCount; ++i) {
        const std::string key = CatalogKeyName(static_cast<CatalogEntry>(i));
        texts[i].assign(key.begin(), key.end());
        catalog.Texts[i] = texts[i].c_str();
    }
    const std::wstring longText(40, L'x');
    catalog.Texts[static_cast<std::size_t>(CatalogEntry::BTN_TEXT_IGNORE)] = longText.c_str();
    catalog.Texts[static_cast<std::size_t>(CatalogEntry::BTN_TEXT_ABORT)] = nullptr;
    ButtonLabels labels;
    std::memset(&labels, 0x5a, sizeof labels);
    FillButtonLabels(catalog, labels);
    EXPECT_EQ(labels.fromLanguageFile, 1);
    const std::pair<ButtonSlot, std::wstring> slots[] = {
        {ButtonSlot::Ok, L"BTN_TEXT_OK"},     {ButtonSlot::Cancel, L"BTN_TEXT_CANCEL"},
        {ButtonSlot::Abort, L""},             {ButtonSlot::Try, L"BTN_TEXT_TRY"},
        {ButtonSlot::Retry, L"BTN_TEXT_RETRY"}, {ButtonSlot::Ignore, std::wstring(31, L'x')},
        {ButtonSlot::Yes, L"BTN_TEXT_YES"},   {ButtonSlot::No, L"BTN_TEXT_NO"},
        {ButtonSlot::Continue, L"BTN_TEXT_CONTINUE"},
    };
    for (const auto& [slot, caption] : slots) {
        EXPECT_EQ(std::wstring(labels.Caption(slot)), caption) << static_cast<int>(slot);
    }
}

}  // namespace
