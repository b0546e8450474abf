#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/program/program_options.h"

namespace {

struct ArgumentsCase {
    std::vector<std::wstring> arguments;
    ProgramAction action;
    bool showMsgCleared;
};

const ArgumentsCase kArgumentsCases[] = {
    {{}, ProgramAction::Switch, false},
    {{L"-s3"}, ProgramAction::S3, false},
    {{L"-s4"}, ProgramAction::S4, false},
    {{L"-s5"}, ProgramAction::S5, false},
    {{L"-hybrid"}, ProgramAction::Hybrid, false},
    {{L"-shutdown"}, ProgramAction::Shutdown, false},
    {{L"-reboot"}, ProgramAction::Reboot, false},
    {{L"-taskbarpin"}, ProgramAction::TaskbarPin, false},
    {{L"-taskbarunpin"}, ProgramAction::TaskbarUnpin, false},
    {{L"-config"}, ProgramAction::Config, false},
    {{L"-now"}, ProgramAction::SwitchNow, false},
    {{L"-NOW"}, ProgramAction::SwitchNow, false},
    {{L"-TaskBarUnPin"}, ProgramAction::TaskbarUnpin, false},
    {{L"-s3", L"-reboot"}, ProgramAction::Reboot, false},
    {{L"-reboot", L"-s3"}, ProgramAction::S3, false},
    {{L"-s3", L"-foo"}, ProgramAction::None, false},
    {{L"-foo", L"-s3"}, ProgramAction::S3, false},
    {{L"-NoMsg"}, ProgramAction::Switch, true},
    {{L"-nomsg", L"-reboot"}, ProgramAction::Reboot, true},
    {{L"-reboot", L"-nomsg"}, ProgramAction::Reboot, true},
    {{L"-foo", L"-nomsg"}, ProgramAction::None, true},
    // Whole arguments only, and only A to Z fold.
    {{L"/s3"}, ProgramAction::None, false},
    {{L"-s3x"}, ProgramAction::None, false},
    {{L"-s"}, ProgramAction::None, false},
    {{L""}, ProgramAction::None, false},
    {{L"-nomsg "}, ProgramAction::None, false},
    {{L"-\u0130\u0131now"}, ProgramAction::None, false},      // dotted and dotless i
    {{L"-\uff33\uff13"}, ProgramAction::None, false},          // full-width S3
};

TEST(ProgramOptions, LastArgumentOtherThanNomsgDecides)
{
    for (const ArgumentsCase& c : kArgumentsCases) {
        bool cleared = !c.showMsgCleared;
        const ProgramAction action = ChooseAction(c.arguments, cleared);
        std::string shown;
        for (const auto& a : c.arguments) {
            for (wchar_t ch : a) shown += (ch < 128 ? static_cast<char>(ch) : '?');
            shown += ' ';
        }
        EXPECT_EQ(action, c.action) << "arguments: " << shown;
        EXPECT_EQ(cleared, c.showMsgCleared) << "arguments: " << shown;
    }
}

TEST(ProgramOptions, LongAndOddArgumentsAreUnrecognised)
{
    const std::vector<std::wstring> arguments = {std::wstring(100000, L'-'), std::wstring(1, L'\xDC00'),
                                                 std::wstring(1, L'\xD800')};
    for (const auto& argument : arguments) {
        bool cleared = false;
        EXPECT_EQ(ChooseAction(std::vector<std::wstring>{argument}, cleared), ProgramAction::None);
        EXPECT_FALSE(cleared);
    }
}

TEST(ProgramOptions, OnlyLatinCapitalsFold)
{
    for (int c = 0; c < 0x10000; ++c) {
        const std::wstring upper = {L'-', L'n', L'o', L'm', L's', static_cast<wchar_t>(c)};
        const bool expected = (c == L'g' || c == L'G');
        EXPECT_EQ(EqualsIgnoringAsciiCase(upper, L"-nomsg"), expected) << "character " << c;
    }
}

}  // namespace
