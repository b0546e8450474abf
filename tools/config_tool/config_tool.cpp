// Stand-in for the companion configuration tool. Each start appends one
// line to "OrvexConfigTool.started.txt" beside the program file, in UTF-8:
// the working directory, then each argument after the program name, all
// separated by tabs. It shows nothing and exits with 0. While a file
// "OrvexConfigTool.hold" lies beside it, it keeps running (at most a minute),
// so that a test can see that its starter does not wait for it.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "ground/win32/unique_handle.h"

namespace {

constexpr wchar_t kRecordName[] = L"OrvexConfigTool.started.txt";
constexpr wchar_t kHoldName[] = L"OrvexConfigTool.hold";
constexpr int kHoldLimitSteps = 600;
constexpr DWORD kHoldStepMilliseconds = 100;

std::wstring CurrentDirectory()
{
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0) {
        return {};
    }
    std::wstring directory(needed, L'\0');
    const DWORD length = GetCurrentDirectoryW(needed, directory.data());
    directory.resize(length < needed ? length : 0);
    return directory;
}

std::wstring ProgramDirectory()
{
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    const std::size_t slash = path.rfind(L'\\');
    path.resize(slash == std::wstring::npos ? 0 : slash + 1);
    return path;
}

void WaitWhileHeld(const std::wstring& holdPath)
{
    for (int step = 0; step < kHoldLimitSteps; ++step) {
        if (GetFileAttributesW(holdPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
            return;
        }
        Sleep(kHoldStepMilliseconds);
    }
}

std::wstring RecordLine()
{
    std::wstring line = CurrentDirectory();
    int count = 0;
    if (const UniqueArgumentList arguments(CommandLineToArgvW(GetCommandLineW(), &count)); arguments) {
        for (int i = 1; i < count; ++i) {
            line += L'\t';
            line += arguments.Get()[i];
        }
    }
    line += L'\n';
    return line;
}

std::string ToUtf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                            nullptr);
    }
    return bytes;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const std::wstring directory = ProgramDirectory();
    const std::string line = ToUtf8(RecordLine());
    {
        const UniqueFileHandle file(CreateFileW((directory + kRecordName).c_str(), FILE_APPEND_DATA,
                                                FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                                nullptr));
        if (file) {
            DWORD written = 0;
            WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        }
    }
    WaitWhileHeld(directory + kHoldName);
    return 0;
}
