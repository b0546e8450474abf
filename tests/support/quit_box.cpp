// Posts a quit message to the thread of the message box's window, as any
// other program on the desktop can; exits with 0 once it is posted, 1 when
// no box stands.
#include <windows.h>

int wmain()
{
    HWND box = FindWindowW(L"OrvexMsgBox_Class", nullptr);
    const DWORD thread = box != nullptr ? GetWindowThreadProcessId(box, nullptr) : 0;
    return thread != 0 && PostThreadMessageW(thread, WM_QUIT, 0, 0) != FALSE ? 0 : 1;
}
