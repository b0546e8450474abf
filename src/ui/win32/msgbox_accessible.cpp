#include "ui/win32/msgbox_accessible.h"

#include <utility>

#include "ground/win32/com_library.h"
#include "ui/msgbox_accessibility.h"

static_assert(kRoleDialog == ROLE_SYSTEM_DIALOG && kRolePushButton == ROLE_SYSTEM_PUSHBUTTON);
static_assert(kStateFocused == STATE_SYSTEM_FOCUSED && kStatePressed == STATE_SYSTEM_PRESSED &&
              kStateFocusable == STATE_SYSTEM_FOCUSABLE);
static_assert(kNavUp == NAVDIR_UP && kNavDown == NAVDIR_DOWN && kNavLeft == NAVDIR_LEFT &&
              kNavRight == NAVDIR_RIGHT && kNavNext == NAVDIR_NEXT && kNavPrevious == NAVDIR_PREVIOUS &&
              kNavFirstChild == NAVDIR_FIRSTCHILD && kNavLastChild == NAVDIR_LASTCHILD);
static_assert(kChildSelf == CHILDID_SELF);

namespace {

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

// The table of children: the box is a dialog named by its caption (or text)
// and described by its text; each button is a push button named by its
// caption that a reader can press.
MsgBoxAccessible::Facts MsgBoxAccessible::FactsOf(std::int32_t childId) const noexcept
{
    const long state = static_cast<long>(AccessibleState(childId, *view.input, WindowFocused()));
    if (childId == kChildSelf) {
        return {AccessibleBoxName(*view.caption, *view.text), *view.text != nullptr ? *view.text : L"", nullptr,
                AccessibleRole(childId), state};
    }
    return {view.buttons[childId - 1].caption, nullptr, kPressAction, AccessibleRole(childId), state};
}

HRESULT MsgBoxAccessible::Tell(const VARIANT& child, BSTR* out, const wchar_t* Facts::*fact,
                               HRESULT absent) const noexcept
{
    std::int32_t id = 0;
    if (const HRESULT opened = Open(&child, &id, out); FAILED(opened)) {
        return opened;
    }
    const wchar_t* const text = FactsOf(id).*fact;
    return text != nullptr ? Give(text, out) : absent;
}

HRESULT MsgBoxAccessible::Tell(const VARIANT& child, VARIANT* out, long Facts::*fact) const noexcept
{
    std::int32_t id = 0;
    const HRESULT opened = Open(&child, &id, out);
    if (SUCCEEDED(opened)) {
        out->vt = VT_I4;
        out->lVal = FactsOf(id).*fact;
    }
    return opened;
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
    const bool known = iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible);
    *object = known ? static_cast<IAccessible*>(this) : nullptr;
    return known ? (AddRef(), S_OK) : E_NOINTERFACE;
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

// What the box has none of: no type library, nothing a reader may rename,
// no value, help, shortcut or selection.
HRESULT MsgBoxAccessible::GetTypeInfoCount(UINT* count) noexcept
{
    return count == nullptr ? E_POINTER : (*count = 0, S_OK);
}
HRESULT MsgBoxAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept
{
    return info != nullptr ? (*info = nullptr, E_NOTIMPL) : E_NOTIMPL;
}
HRESULT MsgBoxAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept { return E_NOTIMPL; }
HRESULT MsgBoxAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) noexcept
{
    return E_NOTIMPL;
}
HRESULT MsgBoxAccessible::put_accName(VARIANT, BSTR) noexcept { return E_NOTIMPL; }
HRESULT MsgBoxAccessible::put_accValue(VARIANT, BSTR) noexcept { return E_NOTIMPL; }
HRESULT MsgBoxAccessible::get_accValue(VARIANT, BSTR* value) noexcept { return Lacking(value); }
HRESULT MsgBoxAccessible::get_accHelp(VARIANT, BSTR* help) noexcept { return Lacking(help); }
HRESULT MsgBoxAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) noexcept { return Lacking(file, topic); }
HRESULT MsgBoxAccessible::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) noexcept { return Lacking(shortcut); }
HRESULT MsgBoxAccessible::get_accSelection(VARIANT* children) noexcept { return Lacking(children); }
HRESULT MsgBoxAccessible::accSelect(long, VARIANT) noexcept { return Lacking(); }

// What each child is, from the table.
HRESULT MsgBoxAccessible::get_accName(VARIANT child, BSTR* name) noexcept { return Tell(child, name, &Facts::name); }
HRESULT MsgBoxAccessible::get_accDescription(VARIANT child, BSTR* description) noexcept
{
    return Tell(child, description, &Facts::description);
}
HRESULT MsgBoxAccessible::get_accDefaultAction(VARIANT child, BSTR* action) noexcept
{
    return Tell(child, action, &Facts::defaultAction, DISP_E_MEMBERNOTFOUND);
}
HRESULT MsgBoxAccessible::get_accRole(VARIANT child, VARIANT* role) noexcept { return Tell(child, role, &Facts::role); }
HRESULT MsgBoxAccessible::get_accState(VARIANT child, VARIANT* state) noexcept
{
    return Tell(child, state, &Facts::state);
}

HRESULT MsgBoxAccessible::get_accParent(IDispatch** parent) noexcept
{
    const HRESULT opened = Open(nullptr, nullptr, parent);
    // The platform's object of the window that holds this client area.
    return FAILED(opened) ? opened
                          : ComLibrary::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_WINDOW),
                                                                   __uuidof(IDispatch),
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

HRESULT MsgBoxAccessible::get_accFocus(VARIANT* child) noexcept
{
    if (const HRESULT opened = Open(nullptr, nullptr, child); FAILED(opened)) {
        return opened;
    }
    const std::int32_t focused = FocusedChild(*view.input, WindowFocused());
    GiveChild(focused, child);
    return focused >= 0 ? S_OK : S_FALSE;
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
