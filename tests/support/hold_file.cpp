// hold_file.exe PATH: holds PATH open with no sharing, as an editor or a virus
// scanner might, from "held" until its standard input ends; 1 if it cannot.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    HANDLE file = argc != 2 ? INVALID_HANDLE_VALUE
                            : CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    char buffer[64];
    DWORD got = 0;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &got, nullptr) && got > 0) {
    }
    CloseHandle(file);
    return 0;
}
