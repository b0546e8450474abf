#include "ground/win32/com_library.h"

#include "ground/win32/system_library.h"

namespace {

SystemLibrary& Ole32() noexcept
{
    static SystemLibrary library(L"ole32.dll", LibraryLifetime::Process);
    return library;
}

SystemLibrary& OleAut32() noexcept
{
    static SystemLibrary library(L"oleaut32.dll", LibraryLifetime::Process);
    return library;
}

// Not among the libraries that Windows always takes from its system folder,
// so never imported by name.
SystemLibrary& Oleacc() noexcept
{
    static SystemLibrary library(L"oleacc.dll", LibraryLifetime::Process);
    return library;
}

// The platform's failure when it cannot reach the code of a call.
HRESULT Unreachable(const SystemLibrary& library) noexcept
{
    const DWORD error = library.LastError();
    return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_UNEXPECTED;
}

}  // namespace

namespace ComLibrary {

HRESULT CoInitializeEx(LPVOID reserved, DWORD coInit) noexcept
{
    static auto* const function = Ole32().Find<decltype(::CoInitializeEx)>("CoInitializeEx");
    return function != nullptr ? function(reserved, coInit) : Unreachable(Ole32());
}

void CoUninitialize() noexcept
{
    static auto* const function = Ole32().Find<decltype(::CoUninitialize)>("CoUninitialize");
    if (function != nullptr) {
        function();
    }
}

HRESULT CoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID interfaceId,
                         LPVOID* object) noexcept
{
    static auto* const function = Ole32().Find<decltype(::CoCreateInstance)>("CoCreateInstance");
    if (function == nullptr) {
        if (object != nullptr) {
            *object = nullptr;
        }
        return Unreachable(Ole32());
    }
    return function(classId, outer, context, interfaceId, object);
}

HRESULT CoDisconnectObject(LPUNKNOWN object, DWORD reserved) noexcept
{
    static auto* const function = Ole32().Find<decltype(::CoDisconnectObject)>("CoDisconnectObject");
    return function != nullptr ? function(object, reserved) : Unreachable(Ole32());
}

BSTR SysAllocString(const OLECHAR* text) noexcept
{
    static auto* const function = OleAut32().Find<decltype(::SysAllocString)>("SysAllocString");
    return function != nullptr ? function(text) : nullptr;
}

LRESULT LresultFromObject(REFIID interfaceId, WPARAM wParam, LPUNKNOWN object) noexcept
{
    static auto* const function = Oleacc().Find<decltype(::LresultFromObject)>("LresultFromObject");
    return function != nullptr ? function(interfaceId, wParam, object) : static_cast<LRESULT>(Unreachable(Oleacc()));
}

HRESULT AccessibleObjectFromWindow(HWND window, DWORD objectId, REFIID interfaceId, void** object) noexcept
{
    static auto* const function = Oleacc().Find<decltype(::AccessibleObjectFromWindow)>("AccessibleObjectFromWindow");
    if (function == nullptr) {
        if (object != nullptr) {
            *object = nullptr;
        }
        return Unreachable(Oleacc());
    }
    return function(window, objectId, interfaceId, object);
}

}  // namespace ComLibrary
