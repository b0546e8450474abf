#include "ui/win32/msgbox_accessible.h"

#include <new>
#include <utility>

#include "ground/win32/com_apartment.h"
#include "ground/win32/com_library.h"
#include "ground/win32/system_library.h"
#include "ui/msgbox_accessibility.h"

static_assert(kRoleDialog == ROLE_SYSTEM_DIALOG && kRolePushButton == ROLE_SYSTEM_PUSHBUTTON);
static_assert(kStateFocused == STATE_SYSTEM_FOCUSED && kStatePressed == STATE_SYSTEM_PRESSED &&
              kStateFocusable == STATE_SYSTEM_FOCUSABLE);
static_assert(kNavUp == NAVDIR_UP && kNavDown == NAVDIR_DOWN && kNavLeft == NAVDIR_LEFT &&
              kNavRight == NAVDIR_RIGHT && kNavNext == NAVDIR_NEXT && kNavPrevious == NAVDIR_PREVIOUS &&
              kNavFirstChild == NAVDIR_FIRSTCHILD && kNavLastChild == NAVDIR_LASTCHILD);
static_assert(kChildSelf == CHILDID_SELF);

namespace {

// oleacc.dll is not among the libraries that Windows always takes from its
// system folder, so it is loaded from there by name, once for the process,
// instead of standing in the import table.
SystemLibrary& Oleacc() noexcept
{
    static SystemLibrary library(L"oleacc.dll");
    return library;
}

constexpr wchar_t kPressAction[] = L"Press";

// A string for the reader, or E_OUTOFMEMORY.
HRESULT Give(const wchar_t* text, BSTR* out) noexcept
{
    *out = ComLibrary::SysAllocString(text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// A child id for the reader in a cleared VARIANT; none stays empty.
void GiveChild(std::int32_t childId, VARIANT* out) noexcept
{
    if (childId >= 0) {
        out->vt = VT_I4;
        out->lVal = childId;
    }
}

// Where the box window's client area is on the screen, and whether the
// window is mirrored.
ClientOnScreen PlacementOf(HWND window) noexcept
{
    RECT client{};
    GetClientRect(window, &client);
    // Two points are taken as a rectangle, whose edges a mirrored window may
    // hand back swapped.
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (client.left > client.right) {
        std::swap(client.left, client.right);
    }
    const bool mirrored = (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    return {client.left, client.top, client.right - client.left, mirrored};
}

}  // namespace

template <typename... Out>
HRESULT MsgBoxAccessible::Open(const VARIANT* child, std::int32_t* childId, Out*... out) const noexcept
{
    if ((... || (out == nullptr))) {
        return E_POINTER;
    }
    // A cleared VARIANT is VT_EMPTY.
    ((*out = Out{}), ...);
    if (window == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    if (child != nullptr) {
        if (child->vt != VT_I4 || !IsBoxChild(child->lVal, *view.buttonCount)) {
            return E_INVALIDARG;
        }
        *childId = child->lVal;
    }
    return S_OK;
}

template <typename... Out>
HRESULT MsgBoxAccessible::Lacking(Out*... out) const noexcept
{
    const HRESULT opened = Open(nullptr, nullptr, out...);
    return FAILED(opened) ? opened : DISP_E_MEMBERNOTFOUND;
}

bool MsgBoxAccessible::WindowFocused() const noexcept
{
    return window != nullptr && GetFocus() == window;
}

HRESULT MsgBoxAccessible::QueryInterface(REFIID iid, void** object) noexcept
{
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (iid != __uuidof(IUnknown) && iid != __uuidof(IDispatch) && iid != __uuidof(IAccessible)) {
        return E_NOINTERFACE;
    }
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
}

ULONG MsgBoxAccessible::AddRef() noexcept
{
    return static_cast<ULONG>(InterlockedIncrement(&references));
}

ULONG MsgBoxAccessible::Release() noexcept
{
    const LONG left = InterlockedDecrement(&references);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT MsgBoxAccessible::GetTypeInfoCount(UINT* count) noexcept
{
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT MsgBoxAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept
{
    if (info != nullptr) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT MsgBoxAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept
{
    return E_NOTIMPL;
}

HRESULT MsgBoxAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) noexcept
{
    return E_NOTIMPL;
}

HRESULT MsgBoxAccessible::get_accParent(IDispatch** parent) noexcept
{
    if (const HRESULT opened = Open(nullptr, nullptr, parent); FAILED(opened)) {
        return opened;
    }
    // The platform's object of the window that holds this client area.
    auto* const fromWindow = Oleacc().Find<decltype(AccessibleObjectFromWindow)>("AccessibleObjectFromWindow");
    return fromWindow == nullptr ? E_FAIL
                                 : fromWindow(window, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                              reinterpret_cast<void**>(parent));
}

HRESULT MsgBoxAccessible::get_accChildCount(long* count) noexcept
{
    const HRESULT opened = Open(nullptr, nullptr, count);
    if (SUCCEEDED(opened)) {
        *count = *view.buttonCount;
    }
    return opened;
}

HRESULT MsgBoxAccessible::get_accChild(VARIANT child, IDispatch** object) noexcept
{
    std::int32_t id = 0;
    const HRESULT opened = Open(&child, &id, object);
    // The buttons are simple elements of this object, not objects of their own.
    return FAILED(opened) ? opened : id == kChildSelf ? E_INVALIDARG : S_FALSE;
}

HRESULT MsgBoxAccessible::get_accName(VARIANT child, BSTR* name) noexcept
{
    std::int32_t id = 0;
    const HRESULT opened = Open(&child, &id, name);
    return FAILED(opened) ? opened
                          : Give(id == kChildSelf ? AccessibleBoxName(*view.caption, *view.text)
                                                  : view.buttons[id - 1].caption,
                                 name);
}

HRESULT MsgBoxAccessible::get_accValue(VARIANT, BSTR* value) noexcept
{
    return Lacking(value);
}

HRESULT MsgBoxAccessible::get_accDescription(VARIANT child, BSTR* description) noexcept
{
    std::int32_t id = 0;
    const HRESULT opened = Open(&child, &id, description);
    // The box has the text as its description; a button has none.
    return FAILED(opened) ? opened
           : id != kChildSelf ? S_FALSE
                              : Give(*view.text != nullptr ? *view.text : L"", description);
}

HRESULT MsgBoxAccessible::get_accRole(VARIANT child, VARIANT* role) noexcept
{
    std::int32_t id = 0;
    const HRESULT opened = Open(&child, &id, role);
    if (SUCCEEDED(opened)) {
        role->vt = VT_I4;
        role->lVal = AccessibleRole(id);
    }
    return opened;
}

HRESULT MsgBoxAccessible::get_accState(VARIANT child, VARIANT* state) noexcept
{
    std::int32_t id = 0;
    const HRESULT opened = Open(&child, &id, state);
    if (SUCCEEDED(opened)) {
        state->vt = VT_I4;
        state->lVal = static_cast<LONG>(AccessibleState(id, *view.input, WindowFocused()));
    }
    return opened;
}

HRESULT MsgBoxAccessible::get_accHelp(VARIANT, BSTR* help) noexcept
{
    return Lacking(help);
}

HRESULT MsgBoxAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) noexcept
{
    return Lacking(file, topic);
}

HRESULT MsgBoxAccessible::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) noexcept
{
    return Lacking(shortcut);
}

HRESULT MsgBoxAccessible::get_accFocus(VARIANT* child) noexcept
{
    if (const HRESULT opened = Open(nullptr, nullptr, child); FAILED(opened)) {
        return opened;
    }
    const std::int32_t focused = FocusedChild(*view.input, WindowFocused());
    GiveChild(focused, child);
    return focused >= 0 ? S_OK : S_FALSE;
}

HRESULT MsgBoxAccessible::get_accSelection(VARIANT* children) noexcept
{
    return Lacking(children);
}

HRESULT MsgBoxAccessible::get_accDefaultAction(VARIANT child, BSTR* action) noexcept
{
    std::int32_t id = 0;
    const HRESULT opened = Open(&child, &id, action);
    return FAILED(opened) ? opened : id == kChildSelf ? DISP_E_MEMBERNOTFOUND : Give(kPressAction, action);
}

HRESULT MsgBoxAccessible::accSelect(long, VARIANT) noexcept
{
    return Lacking();
}

HRESULT MsgBoxAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) noexcept
{
    std::int32_t id = 0;
    if (const HRESULT opened = Open(&child, &id, left, top, width, height); FAILED(opened)) {
        return opened;
    }
    RECT rect{};
    if (id == kChildSelf) {
        if (GetWindowRect(window, &rect) == FALSE) {
            return E_FAIL;
        }
    } else {
        // In screen pixels of the layout as the box is drawn, at its scale.
        const BoxRect onScreen = RectOnScreen(view.buttons[id - 1].rect, PlacementOf(window));
        rect = {onScreen.left, onScreen.top, onScreen.right, onScreen.bottom};
    }
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
}

HRESULT MsgBoxAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) noexcept
{
    std::int32_t id = 0;
    if (const HRESULT opened = Open(&start, &id, end); FAILED(opened)) {
        return opened;
    }
    const std::int32_t target = NavigateChild(id, direction, *view.buttonCount, PlacementOf(window).mirrored);
    if (target == kBadChild) {
        return E_INVALIDARG;
    }
    GiveChild(target, end);
    return target >= 0 ? S_OK : S_FALSE;
}

HRESULT MsgBoxAccessible::accHitTest(long x, long y, VARIANT* child) noexcept
{
    if (const HRESULT opened = Open(nullptr, nullptr, child); FAILED(opened)) {
        return opened;
    }
    RECT windowRect{};
    if (GetWindowRect(window, &windowRect) == FALSE || PtInRect(&windowRect, POINT{x, y}) == FALSE) {
        return S_FALSE;
    }
    const BoxPoint inClient = PointInClient(x, y, PlacementOf(window));
    GiveChild(ChildAtPoint(view.buttons, *view.buttonCount, inClient.x, inClient.y), child);
    return S_OK;
}

HRESULT MsgBoxAccessible::accDoDefaultAction(VARIANT child) noexcept
{
    std::int32_t id = 0;
    if (const HRESULT opened = Open(&child, &id); FAILED(opened)) {
        return opened;
    }
    // The press is answered by the box window in its own turn, like a click,
    // and only the first of a box counts; the reader does not wait for it.
    return id == kChildSelf ? DISP_E_MEMBERNOTFOUND
           : PostMessageW(window, kAccessiblePressMessage, static_cast<WPARAM>(id - 1), 0) != FALSE ? S_OK
                                                                                                  : E_FAIL;
}

HRESULT MsgBoxAccessible::put_accName(VARIANT, BSTR) noexcept
{
    return E_NOTIMPL;
}

HRESULT MsgBoxAccessible::put_accValue(VARIANT, BSTR) noexcept
{
    return E_NOTIMPL;
}

MsgBoxAccessibility::~MsgBoxAccessibility()
{
    LeaveApartment();
}

void MsgBoxAccessibility::EnterApartment() noexcept
{
    if (!inApartment) {
        // This Wine gives a new apartment of the same thread the identity of
        // the last one, and its objects the same numbers: a reader still
        // holding the last box's object would be handed that dead proxy for
        // the next box. So the first box keeps an apartment for the thread
        // until the process ends, and every object gets an identity of its own.
        static const ComApartment kept;
        // Calls from readers in other processes come in through the
        // apartment's messages, which the box's modal loop dispatches.
        inApartment = kept.Entered() && SUCCEEDED(ComLibrary::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    }
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
    // The object id arrives as a 32-bit value in a wider parameter.
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT || !inApartment) {
        return DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
    }
    if (!object) {
        object.Reset(new (std::nothrow) MsgBoxAccessible(view, window));
        if (!object) {
            return E_OUTOFMEMORY;
        }
    }
    auto* const toResult = Oleacc().Find<decltype(LresultFromObject)>("LresultFromObject");
    if (toResult == nullptr) {
        return DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
    }
    return toResult(__uuidof(IAccessible), wParam, object.Get());
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

void RaiseDialogStart(HWND window) noexcept
{
    NotifyWinEvent(EVENT_SYSTEM_DIALOGSTART, window, OBJID_CLIENT, CHILDID_SELF);
}

void RaiseFocus(HWND window, std::int32_t focusedIndex) noexcept
{
    NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, focusedIndex + 1);
}

void RaiseDialogEnd(HWND window) noexcept
{
    NotifyWinEvent(EVENT_SYSTEM_DIALOGEND, window, OBJID_CLIENT, CHILDID_SELF);
}
