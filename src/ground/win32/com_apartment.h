#pragma once
#include <windows.h>

#include "ground/win32/com_library.h"

// A single-threaded apartment without the overhead of OLE 1's DDE, which
// nothing here uses.
constexpr DWORD kSingleThreadedApartment = COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE;

// The calling thread's single-threaded COM apartment, entered for the owner's
// lifetime. Only a successful entry (S_OK or S_FALSE) is balanced by
// CoUninitialize.
class ComApartment {
public:
    ComApartment() noexcept : Status(ComLibrary::CoInitializeEx(nullptr, kSingleThreadedApartment)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(Status)) {
            ComLibrary::CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    [[nodiscard]] bool Entered() const noexcept { return SUCCEEDED(Status); }

private:
    HRESULT Status;
};
