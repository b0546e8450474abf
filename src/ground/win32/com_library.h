#pragma once
// COM's entry points, reached through ole32.dll and oleaut32.dll loaded from
// the system folder when first called, not through the import table: a run
// that shows no box and writes no shortcut loads neither. Each function has
// the platform's signature and, when its library or entry point is missing,
// fails as the platform's own does (an error HRESULT, a null string).
#include <windows.h>

#include <objbase.h>
#include <oleauto.h>

namespace ComLibrary {

[[nodiscard]] HRESULT CoInitializeEx(LPVOID reserved, DWORD coInit) noexcept;
void CoUninitialize() noexcept;
[[nodiscard]] HRESULT CoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID interfaceId,
                                       LPVOID* object) noexcept;
HRESULT CoDisconnectObject(LPUNKNOWN object, DWORD reserved) noexcept;
[[nodiscard]] BSTR SysAllocString(const OLECHAR* text) noexcept;

}  // namespace ComLibrary
