#include "ui/win32/msgbox_accessibility_host.h"

#include <new>

#include "ground/win32/com_apartment.h"
#include "ground/win32/com_library.h"

MsgBoxAccessibility::~MsgBoxAccessibility()
{
    LeaveApartment();
}

bool MsgBoxAccessibility::EnterApartment() noexcept
{
    if (!inApartment) {
        // This Wine gives a new apartment of the same thread the identity of
        // the last one, and its objects the same numbers: a reader still
        // holding the last box's object would be handed that dead proxy for
        // the next box. So the first box that a reader asks for keeps an
        // apartment for the thread until the process ends, and every object
        // gets an identity of its own.
        static const ComApartment kept;
        // Calls from readers in other processes come in through the
        // apartment's messages, which the box's modal loop dispatches.
        inApartment = kept.Entered() && SUCCEEDED(ComLibrary::CoInitializeEx(nullptr, kSingleThreadedApartment));
    }
    return inApartment;
}

void MsgBoxAccessibility::LeaveApartment() noexcept
{
    Disconnect();
    if (inApartment) {
        inApartment = false;
        ComLibrary::CoUninitialize();
    }
}

LRESULT MsgBoxAccessibility::OnGetObject(const MsgBoxView& view, HWND window, WPARAM wParam, LPARAM lParam) noexcept
{
    // The object id arrives as a 32-bit value in a wider parameter. Only a
    // request for this object loads COM; the window's other objects are the
    // platform's.
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT || !EnterApartment()) {
        return DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
    }
    if (!object) {
        object.Reset(new (std::nothrow) MsgBoxAccessible(view, window));
        if (!object) {
            return E_OUTOFMEMORY;
        }
    }
    return ComLibrary::LresultFromObject(__uuidof(IAccessible), wParam, object.Get());
}

void MsgBoxAccessibility::Disconnect() noexcept
{
    if (!object) {
        return;
    }
    object.Get()->Detach();
    // Drops the references that readers in other apartments hold through
    // COM, including requests that were answered but never collected.
    ComLibrary::CoDisconnectObject(object.Get(), 0);
    object.Reset();
}
