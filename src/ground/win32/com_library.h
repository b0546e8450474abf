#pragma once
// COM's and Active Accessibility's entry points, reached through ole32.dll,
// oleaut32.dll and oleacc.dll loaded from the system folder when first
// called, not through the import table: a run in which no screen reader asks
// for a box and no shortcut is written loads none of them. Each function has
// the platform's signature and, when its library or entry point is missing,
// fails as the platform's own does (an error HRESULT, a null string).
#include <windows.h>

#include <objbase.h>
#include <oleacc.h>
#include <oleauto.h>

namespace ComLibrary {

[[nodiscard]] HRESULT CoInitializeEx(LPVOID reserved, DWORD coInit) noexcept;
void CoUninitialize() noexcept;
[[nodiscard]] HRESULT CoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID interfaceId,
                                       LPVOID* object) noexcept;
HRESULT CoDisconnectObject(LPUNKNOWN object, DWORD reserved) noexcept;
[[nodiscard]] BSTR SysAllocString(const OLECHAR* text) noexcept;
[[nodiscard]] LRESULT LresultFromObject(REFIID interfaceId, WPARAM wParam, LPUNKNOWN object) noexcept;
[[nodiscard]] HRESULT AccessibleObjectFromWindow(HWND window, DWORD objectId, REFIID interfaceId,
                                                 void** object) noexcept;

}  // namespace ComLibrary
