#pragma once
// The message box as Active Accessibility shows it to screen readers: an
// IAccessible object served from the box window (WM_GETOBJECT), the events
// that tell a reader the box came, moved its focus and went (events need no
// COM; the object is served from msgbox_accessibility_host.h).
#include <windows.h>

#include <oleacc.h>

#include <cstdint>

#include "ui/msgbox_button.h"
#include "ui/msgbox_input.h"

// Posted to the box window by a reader's default action: press the button
// whose index is the first parameter.
inline constexpr UINT kAccessiblePressMessage = WM_APP + 0x1A1;

// What a reader may see of a box, read-only: its buttons (kMaxButtons, the
// first count shown), its input state and its texts, where the box keeps
// them.
struct MsgBoxView {
    const MsgBoxButton* buttons = nullptr;
    const std::int32_t* buttonCount = nullptr;
    const MsgBoxInput* input = nullptr;
    const wchar_t* const* text = nullptr;
    const wchar_t* const* caption = nullptr;
};

// The box and its buttons, read through the view on the box's thread (calls
// from other processes reach it through the box's message loop); once
// detached, when the box window goes, it answers every call with
// RPC_E_DISCONNECTED.
class MsgBoxAccessible final : public IAccessible {
public:
    MsgBoxAccessible(const MsgBoxView& view, HWND window) noexcept : view(view), window(window) {}
    MsgBoxAccessible(const MsgBoxAccessible&) = delete;
    MsgBoxAccessible& operator=(const MsgBoxAccessible&) = delete;

    void Detach() noexcept { window = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override;
    ULONG STDMETHODCALLTYPE Release() noexcept override;

    // IDispatch: readers use the interface's own methods; no type library.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) noexcept override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) noexcept override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* badArgument) noexcept override;

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) noexcept override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) noexcept override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) noexcept override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) noexcept override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) noexcept override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) noexcept override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) noexcept override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) noexcept override;

private:
    // What a reader is told of one child, the box or a button; a null text
    // is one the child does not have.
    struct Facts {
        const wchar_t* name;
        const wchar_t* description;
        const wchar_t* defaultAction;
        long role;
        long state;
    };

    ~MsgBoxAccessible() = default;

    // The opening every call shares: each out pointer checked and what it
    // points to cleared, the box still there, and the child (when one is
    // named) one of the box's, its id then in childId.
    template <typename... Out>
    [[nodiscard]] HRESULT Open(const VARIANT* child, std::int32_t* childId, Out*... out) const noexcept;
    // What a box has none of: the opening's error, or DISP_E_MEMBERNOTFOUND.
    template <typename... Out>
    [[nodiscard]] HRESULT Lacking(Out*... out) const noexcept;
    // One fact of the named child for the reader; a text the child does not
    // have is answered with absent.
    [[nodiscard]] HRESULT Tell(const VARIANT& child, BSTR* out, const wchar_t* Facts::*fact,
                               HRESULT absent = S_FALSE) const noexcept;
    [[nodiscard]] HRESULT Tell(const VARIANT& child, VARIANT* out, long Facts::*fact) const noexcept;
    [[nodiscard]] Facts FactsOf(std::int32_t childId) const noexcept;
    [[nodiscard]] bool WindowFocused() const noexcept;

    LONG references = 1;
    const MsgBoxView view;
    HWND window;
};

// The events a reader follows: the box came, its focus is on a button (when
// it comes and whenever the focus moves), the box went.
void RaiseDialogStart(HWND window) noexcept;
void RaiseFocus(HWND window, std::int32_t focusedIndex) noexcept;
void RaiseDialogEnd(HWND window) noexcept;
