#include <gtest/gtest.h>

#include <string>

#include "app/ground/directory_of_path.h"

namespace {

struct DirectoryCase {
    std::wstring path;
    std::wstring folder;
};

TEST(DirectoryOfPath, EndsAfterTheLastBackslashAndIsEmptyWithoutOne)
{
    const DirectoryCase cases[] = {
        {L"C:\\Apps\\OrvexSwitcher.exe", L"C:\\Apps\\"},
        {L"\\\\server\\share\\tool.exe", L"\\\\server\\share\\"},
        {L"C:\\Apps\\", L"C:\\Apps\\"},
        {L"C:\\" + std::wstring(300, L'd') + L"\\tool.exe", L"C:\\" + std::wstring(300, L'd') + L"\\"},
        // No folder to build on: never the bare name, never the current folder.
        {L"OrvexSwitcher.exe", L""},
        {L"C:tool.exe", L""},
        {L"", L""},
    };
    for (const DirectoryCase& c : cases) {
        EXPECT_EQ(DirectoryOfPath(c.path), c.folder) << "path of " << c.path.size() << " characters";
    }
}

}  // namespace
