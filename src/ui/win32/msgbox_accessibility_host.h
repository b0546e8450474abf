#pragma once
// Where the box serves its accessible object from: the COM apartment, entered
// only when a screen reader first asks for the object.
#include <windows.h>

#include "ground/win32/unique_handle.h"
#include "ui/win32/msgbox_accessible.h"

// What the box holds for its readers: the accessible object, made on the
// first request and disconnected when the box window goes, and the COM
// apartment it is served from. COM and the accessibility library are loaded
// and the apartment entered on the first request for the object, so a box
// that no reader asks for loads neither; Cleanup leaves the apartment, under
// one that the thread keeps until the process ends.
class MsgBoxAccessibility {
public:
    MsgBoxAccessibility() noexcept = default;
    ~MsgBoxAccessibility();
    MsgBoxAccessibility(const MsgBoxAccessibility&) = delete;
    MsgBoxAccessibility& operator=(const MsgBoxAccessibility&) = delete;

    // Disconnects the object and leaves the apartment; safe to repeat.
    void LeaveApartment() noexcept;

    // The answer to WM_GETOBJECT: the object for OBJID_CLIENT, the default
    // window procedure's answer for every other id and while the thread
    // cannot enter an apartment.
    [[nodiscard]] LRESULT OnGetObject(const MsgBoxView& view, HWND window, WPARAM wParam, LPARAM lParam) noexcept;
    // Readers that still hold the object get an error from now on.
    void Disconnect() noexcept;

private:
    [[nodiscard]] bool EnterApartment() noexcept;

    bool inApartment = false;
    ComPtr<MsgBoxAccessible> object;
};
