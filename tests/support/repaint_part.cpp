// Has the message box repaint the left third of its window and nothing else,
// as the system does when something that covered that part goes away; exits
// with 0 once the box has painted it.
#include <windows.h>

int wmain()
{
    HWND box = FindWindowW(L"OrvexMsgBox_Class", nullptr);
    RECT part{};
    if (box == nullptr || GetClientRect(box, &part) == FALSE) {
        return 1;
    }
    part.right /= 3;
    return RedrawWindow(box, &part, nullptr, RDW_INVALIDATE | RDW_UPDATENOW) != FALSE ? 0 : 1;
}
