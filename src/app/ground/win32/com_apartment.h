#pragma once
#include <windows.h>

#include "app/ground/win32/com_library.h"

// The calling thread's COM apartment, entered for the owner's lifetime. Only
// a successful CoInitialize (S_OK or S_FALSE) is balanced by CoUninitialize.
class ComApartment {
public:
    ComApartment() noexcept : Status(ComLibrary::CoInitialize(nullptr)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(Status)) {
            ComLibrary::CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT Status;
};
