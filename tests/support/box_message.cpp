// box_message.exe repaint | send MESSAGE WPARAM LPARAM: does to the
// message box's window what any other program on the desktop can, and exits
// with 0 once done, 1 when no box stands.
//   repaint  has the box repaint the left third of its window and nothing
//            else, as the system does when something that covered it goes;
//   send     sends a message, numbers in decimal, as the system sends
//            WM_DISPLAYCHANGE when the screen's resolution changes.
#include <windows.h>

#include <cwchar>
#include <string_view>

int wmain(int argc, wchar_t** argv)
{
    HWND box = FindWindowW(L"OrvexMsgBox_Class", nullptr);
    const std::wstring_view action = argc > 1 ? argv[1] : L"";
    if (box == nullptr) {
        return 1;
    }
    RECT part{};
    if (action == L"repaint" && argc == 2 && GetClientRect(box, &part) != FALSE) {
        part.right /= 3;
        return RedrawWindow(box, &part, nullptr, RDW_INVALIDATE | RDW_UPDATENOW) != FALSE ? 0 : 1;
    }
    if (action == L"send" && argc == 5) {
        const auto number = [](const wchar_t* text) { return std::wcstoull(text, nullptr, 10); };
        SendMessageW(box, static_cast<UINT>(number(argv[2])), static_cast<WPARAM>(number(argv[3])),
                     static_cast<LPARAM>(number(argv[4])));
        return 0;
    }
    return 1;
}
