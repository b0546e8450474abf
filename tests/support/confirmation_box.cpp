// Shows the switch confirmation as the program would, with given texts, for
// the reference screenshots of the language tests:
//   confirmation_box.exe --texts FILE
// FILE holds three UTF-8 lines: the message, the OK caption and the Cancel
// caption. The box has the confirmation's empty caption and style (OK and
// Cancel, information icon). The exit code is the box's answer, or 100 when
// the box could not be shown or FILE could not be read.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "app/ground/records.h"
#include "ui/win32/orvex_msgbox.h"

namespace {

constexpr int kNotShown = 100;
constexpr std::uint32_t kConfirmationStyle = MB_ICONASTERISK | MB_OKCANCEL;

std::wstring Widen(const std::string& text)
{
    const int units = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    if (units <= 0) {
        return {};
    }
    std::vector<wchar_t> wide(static_cast<std::size_t>(units));
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), units);
    return wide.data();
}

bool ReadLines(const wchar_t* path, std::vector<std::wstring>& lines)
{
    std::FILE* file = _wfopen(path, L"rb");
    if (file == nullptr) {
        return false;
    }
    std::string bytes;
    char chunk[4096];
    for (std::size_t read; (read = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
        bytes.append(chunk, read);
    }
    std::fclose(file);
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        lines.push_back(Widen(bytes.substr(start, end - start)));
        start = end + 1;
    }
    return true;
}

int ShowConfirmation(const wchar_t* text, const ButtonLabels& labels)
{
    OrvexMsgBox box(labels);
    if (box.Init() == 0) {
        return kNotShown;
    }
    return box.Show(text, L"", kConfirmationStyle, -1);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::wstring> lines;
    if (argc != 3 || std::wcscmp(argv[1], L"--texts") != 0 || !ReadLines(argv[2], lines) || lines.size() < 3) {
        return kNotShown;
    }
    ButtonLabels labels{};
    labels.fromLanguageFile = 1;
    CopyCaption(lines[1].c_str(), labels.Captions[static_cast<std::size_t>(ButtonSlot::Ok)]);
    CopyCaption(lines[2].c_str(), labels.Captions[static_cast<std::size_t>(ButtonSlot::Cancel)]);
    return ShowConfirmation(lines[0].c_str(), labels);
}
