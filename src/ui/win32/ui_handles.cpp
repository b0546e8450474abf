#include "ui/win32/ui_handles.h"

void GdiObjectTraits::Close(Type handle) noexcept
{
    DeleteObject(handle);
}

void IconTraits::Close(Type handle) noexcept
{
    DestroyIcon(handle);
}

void WindowDcTraits::Close(Type handle) noexcept
{
    ReleaseDC(handle.window, handle.dc);
}

void MemoryDcTraits::Close(Type handle) noexcept
{
    DeleteDC(handle);
}

void SelectionTraits::Close(Type handle) noexcept
{
    SelectObject(handle.dc, handle.previous);
}

void ClassRegistrationTraits::Close(Type handle) noexcept
{
    // The atom in place of the class name, as MAKEINTATOM makes it.
    UnregisterClassW(reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(handle.atom)), handle.instance);
}

UniqueWindowDc TakeWindowDc(HWND window) noexcept
{
    HDC dc = GetDC(window);
    if (dc == nullptr) {
        return {};
    }
    return UniqueWindowDc(WindowDc{window, dc});
}

UniqueSelection SelectInto(HDC dc, HGDIOBJ object) noexcept
{
    if (dc == nullptr || object == nullptr) {
        return {};
    }
    HGDIOBJ previous = SelectObject(dc, object);
    if (previous == nullptr || previous == HGDI_ERROR) {
        return {};
    }
    return UniqueSelection(Selection{dc, previous});
}
