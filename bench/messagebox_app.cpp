// The platform's own box as a reference for the whole path, start to box
// painted, and for the memory a box costs: a program that only calls
// MessageBoxW with the text, caption and style of the switch's confirmation
// (OK and Cancel, the information icon), as the English section has it.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return MessageBoxW(nullptr, L"Going to switch to android OS.", L"", MB_OKCANCEL | MB_ICONINFORMATION) == IDOK
               ? 0
               : 1;
}
