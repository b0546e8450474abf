#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/actions/config_tool_launch.h"
#include "app/actions/taskbar_shortcut.h"

namespace {

// Records what the options ask of the shell; a name is found plain or not
// as the case says, check by check.
class FakeShell final : public Shell {
public:
    std::vector<bool> plainAnswers;
    int openResult = 1;
    std::vector<std::wstring> calls;

    int Open(const std::wstring& filePath) noexcept override
    {
        calls.push_back(L"open " + filePath);
        return openResult;
    }
    std::wstring TempDirectory() noexcept override { return L"T:\\temp\\"; }
    int SaveShortcut(const std::wstring& shortcutPath, const std::wstring& targetPath) noexcept override
    {
        calls.push_back(L"save " + shortcutPath + L" -> " + targetPath);
        return 1;
    }
    bool IsPlainFileOrAbsent(const std::wstring& path) noexcept override
    {
        const bool plain = checks < plainAnswers.size() && plainAnswers[checks];
        ++checks;
        calls.push_back(std::wstring(plain ? L"plain " : L"foreign ") + path);
        return plain;
    }
    int DeleteShellFile(const std::wstring& path) noexcept override
    {
        calls.push_back(L"delete " + path);
        return 1;
    }

private:
    std::size_t checks = 0;
};

const std::wstring kLink = L"T:\\temp\\OrvexSwitcher.lnk";

struct ShortcutCase {
    const char* name;
    std::wstring programFolder;
    std::vector<bool> plainAnswers;
    std::vector<std::wstring> calls;
};

TEST(TaskbarShortcut, IsWrittenAndDeletedOnlyOverAPlainFileAndFromAKnownFolder)
{
    const ShortcutCase cases[] = {
        {"plain", L"C:\\Apps\\", {true, true},
         {L"plain " + kLink, L"save " + kLink + L" -> C:\\Apps\\OrvexSwitcher.exe", L"plain " + kLink,
          L"delete " + kLink}},
        {"a link planted before", L"C:\\Apps\\", {false}, {L"foreign " + kLink}},
        {"a link planted between", L"C:\\Apps\\", {true, false},
         {L"plain " + kLink, L"save " + kLink + L" -> C:\\Apps\\OrvexSwitcher.exe", L"foreign " + kLink}},
        {"no program folder", L"", {true, true}, {}},
    };
    for (const ShortcutCase& c : cases) {
        FakeShell shell;
        shell.plainAnswers = c.plainAnswers;
        EXPECT_EQ(WriteAndDeleteShortcut(c.programFolder, shell), 1) << c.name;
        EXPECT_EQ(shell.calls, c.calls) << c.name;
    }
}

TEST(ConfigToolLaunch, StartsTheToolBesideTheProgramOrNothing)
{
    FakeShell started;
    EXPECT_EQ(LaunchConfigTool(L"C:\\Apps\\", started), 0);
    EXPECT_EQ(started.calls, std::vector<std::wstring>{L"open C:\\Apps\\OrvexConfigTool.exe"});

    FakeShell refused;
    refused.openResult = 0;
    EXPECT_EQ(LaunchConfigTool(L"C:\\Apps\\", refused), 1);

    FakeShell noFolder;
    EXPECT_EQ(LaunchConfigTool(L"", noFolder), 1);
    EXPECT_TRUE(noFolder.calls.empty());
}

}  // namespace
