// send_message.exe CLASS MESSAGE WPARAM LPARAM: sends a message, numbers in
// decimal, to the top-level window of class CLASS, as the system sends
// WM_DISPLAYCHANGE when the screen's resolution changes; 1 if no such window.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    HWND window = argc == 5 ? FindWindowW(argv[1], nullptr) : nullptr;
    if (window == nullptr) {
        return 1;
    }
    const auto number = [](const wchar_t* text) { return std::wcstoull(text, nullptr, 10); };
    SendMessageW(window, static_cast<UINT>(number(argv[2])), static_cast<WPARAM>(number(argv[3])),
                 static_cast<LPARAM>(number(argv[4])));
    return 0;
}
