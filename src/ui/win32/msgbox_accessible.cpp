#include "ui/win32/msgbox_accessible.h"

#include <new>
#include <utility>

#include "app/ground/win32/system_library.h"
#include "ui/msgbox_accessibility.h"
#include "ui/win32/orvex_msgbox.h"

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
    *out = SysAllocString(text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// A property that the box has but the asked child has not.
HRESULT GiveNothing(BSTR* out) noexcept
{
    *out = nullptr;
    return S_FALSE;
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

void SetChildId(VARIANT* out, std::int32_t childId) noexcept
{
    VariantInit(out);
    if (childId >= 0) {
        out->vt = VT_I4;
        out->lVal = childId;
    }
}

}  // namespace

MsgBoxAccessible::MsgBoxAccessible(OrvexMsgBox& box, HWND window) noexcept : box(&box), window(window) {}

void MsgBoxAccessible::Detach() noexcept
{
    box = nullptr;
    window = nullptr;
}

HRESULT MsgBoxAccessible::CheckChild(const VARIANT& child, std::int32_t& childId) const noexcept
{
    if (box == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    if (child.vt != VT_I4 || !IsBoxChild(child.lVal, box->buttonCount)) {
        return E_INVALIDARG;
    }
    childId = child.lVal;
    return S_OK;
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
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
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
    if (parent == nullptr) {
        return E_POINTER;
    }
    *parent = nullptr;
    if (box == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    // The platform's object of the window that holds this client area.
    auto* const fromWindow = Oleacc().Find<decltype(AccessibleObjectFromWindow)>("AccessibleObjectFromWindow");
    if (fromWindow == nullptr) {
        return E_FAIL;
    }
    return fromWindow(window, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch), reinterpret_cast<void**>(parent));
}

HRESULT MsgBoxAccessible::get_accChildCount(long* count) noexcept
{
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    if (box == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    *count = box->buttonCount;
    return S_OK;
}

HRESULT MsgBoxAccessible::get_accChild(VARIANT child, IDispatch** object) noexcept
{
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    std::int32_t childId = 0;
    if (const HRESULT checked = CheckChild(child, childId); FAILED(checked)) {
        return checked;
    }
    // The buttons are simple elements of this object, not objects of their own.
    return childId == kChildSelf ? E_INVALIDARG : S_FALSE;
}

HRESULT MsgBoxAccessible::get_accName(VARIANT child, BSTR* name) noexcept
{
    if (name == nullptr) {
        return E_POINTER;
    }
    *name = nullptr;
    std::int32_t childId = 0;
    if (const HRESULT checked = CheckChild(child, childId); FAILED(checked)) {
        return checked;
    }
    if (childId == kChildSelf) {
        return Give(AccessibleBoxName(box->caption, box->text), name);
    }
    return Give(box->buttons[childId - 1].caption, name);
}

HRESULT MsgBoxAccessible::get_accValue(VARIANT, BSTR* value) noexcept
{
    if (value == nullptr) {
        return E_POINTER;
    }
    *value = nullptr;
    return box == nullptr ? RPC_E_DISCONNECTED : DISP_E_MEMBERNOTFOUND;
}

HRESULT MsgBoxAccessible::get_accDescription(VARIANT child, BSTR* description) noexcept
{
    if (description == nullptr) {
        return E_POINTER;
    }
    *description = nullptr;
    std::int32_t childId = 0;
    if (const HRESULT checked = CheckChild(child, childId); FAILED(checked)) {
        return checked;
    }
    if (childId != kChildSelf) {
        return GiveNothing(description);
    }
    return Give(box->text != nullptr ? box->text : L"", description);
}

HRESULT MsgBoxAccessible::get_accRole(VARIANT child, VARIANT* role) noexcept
{
    if (role == nullptr) {
        return E_POINTER;
    }
    VariantInit(role);
    std::int32_t childId = 0;
    if (const HRESULT checked = CheckChild(child, childId); FAILED(checked)) {
        return checked;
    }
    role->vt = VT_I4;
    role->lVal = AccessibleRole(childId);
    return S_OK;
}

HRESULT MsgBoxAccessible::get_accState(VARIANT child, VARIANT* state) noexcept
{
    if (state == nullptr) {
        return E_POINTER;
    }
    VariantInit(state);
    std::int32_t childId = 0;
    if (const HRESULT checked = CheckChild(child, childId); FAILED(checked)) {
        return checked;
    }
    state->vt = VT_I4;
    state->lVal = static_cast<LONG>(AccessibleState(childId, box->input, WindowFocused()));
    return S_OK;
}

HRESULT MsgBoxAccessible::get_accHelp(VARIANT, BSTR* help) noexcept
{
    if (help == nullptr) {
        return E_POINTER;
    }
    *help = nullptr;
    return box == nullptr ? RPC_E_DISCONNECTED : DISP_E_MEMBERNOTFOUND;
}

HRESULT MsgBoxAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) noexcept
{
    if (file == nullptr || topic == nullptr) {
        return E_POINTER;
    }
    *file = nullptr;
    *topic = 0;
    return box == nullptr ? RPC_E_DISCONNECTED : DISP_E_MEMBERNOTFOUND;
}

HRESULT MsgBoxAccessible::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) noexcept
{
    if (shortcut == nullptr) {
        return E_POINTER;
    }
    *shortcut = nullptr;
    return box == nullptr ? RPC_E_DISCONNECTED : DISP_E_MEMBERNOTFOUND;
}

HRESULT MsgBoxAccessible::get_accFocus(VARIANT* child) noexcept
{
    if (child == nullptr) {
        return E_POINTER;
    }
    VariantInit(child);
    if (box == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    const std::int32_t focused = FocusedChild(box->input, WindowFocused());
    SetChildId(child, focused);
    return focused >= 0 ? S_OK : S_FALSE;
}

HRESULT MsgBoxAccessible::get_accSelection(VARIANT* children) noexcept
{
    if (children == nullptr) {
        return E_POINTER;
    }
    VariantInit(children);
    return box == nullptr ? RPC_E_DISCONNECTED : DISP_E_MEMBERNOTFOUND;
}

HRESULT MsgBoxAccessible::get_accDefaultAction(VARIANT child, BSTR* action) noexcept
{
    if (action == nullptr) {
        return E_POINTER;
    }
    *action = nullptr;
    std::int32_t childId = 0;
    if (const HRESULT checked = CheckChild(child, childId); FAILED(checked)) {
        return checked;
    }
    if (childId == kChildSelf) {
        return DISP_E_MEMBERNOTFOUND;
    }
    return Give(kPressAction, action);
}

HRESULT MsgBoxAccessible::accSelect(long, VARIANT) noexcept
{
    return box == nullptr ? RPC_E_DISCONNECTED : DISP_E_MEMBERNOTFOUND;
}

HRESULT MsgBoxAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) noexcept
{
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
        return E_POINTER;
    }
    *left = *top = *width = *height = 0;
    std::int32_t childId = 0;
    if (const HRESULT checked = CheckChild(child, childId); FAILED(checked)) {
        return checked;
    }
    BoxRect rect;
    if (childId == kChildSelf) {
        RECT windowRect{};
        if (GetWindowRect(window, &windowRect) == FALSE) {
            return E_FAIL;
        }
        rect = {windowRect.left, windowRect.top, windowRect.right, windowRect.bottom};
    } else {
        rect = RectOnScreen(box->buttons[childId - 1].rect, PlacementOf(window));
    }
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
}

HRESULT MsgBoxAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) noexcept
{
    if (end == nullptr) {
        return E_POINTER;
    }
    VariantInit(end);
    std::int32_t startId = 0;
    if (const HRESULT checked = CheckChild(start, startId); FAILED(checked)) {
        return checked;
    }
    const std::int32_t target =
        NavigateChild(startId, direction, box->buttonCount, PlacementOf(window).mirrored);
    if (target == kBadChild) {
        return E_INVALIDARG;
    }
    SetChildId(end, target);
    return target >= 0 ? S_OK : S_FALSE;
}

HRESULT MsgBoxAccessible::accHitTest(long x, long y, VARIANT* child) noexcept
{
    if (child == nullptr) {
        return E_POINTER;
    }
    VariantInit(child);
    if (box == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    RECT windowRect{};
    const POINT point{x, y};
    if (GetWindowRect(window, &windowRect) == FALSE || PtInRect(&windowRect, point) == FALSE) {
        return S_FALSE;
    }
    const BoxPoint inClient = PointInClient(x, y, PlacementOf(window));
    SetChildId(child, ChildAtPoint(box->buttons, box->buttonCount, inClient.x, inClient.y));
    return S_OK;
}

HRESULT MsgBoxAccessible::accDoDefaultAction(VARIANT child) noexcept
{
    std::int32_t childId = 0;
    if (const HRESULT checked = CheckChild(child, childId); FAILED(checked)) {
        return checked;
    }
    if (childId == kChildSelf) {
        return DISP_E_MEMBERNOTFOUND;
    }
    // The press is answered by the box window in its own turn, like a click;
    // the reader does not wait for the box to close.
    return PostMessageW(window, kAccessiblePressMessage, static_cast<WPARAM>(childId - 1), 0) != FALSE ? S_OK
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

namespace {

// This Wine gives a new apartment of the same thread the identity of the
// last one, and its objects the same numbers: a reader still holding the last
// box's object would be handed that dead proxy for the next box. So the
// first box keeps an apartment for the thread until the process ends, and
// every object gets an identity of its own.
struct KeptApartment {
    bool entered = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    ~KeptApartment()
    {
        if (entered) {
            CoUninitialize();
        }
    }
};

}  // namespace

void MsgBoxAccessibility::EnterApartment() noexcept
{
    if (!inApartment) {
        static const KeptApartment kept;
        // Calls from readers in other processes come in through the
        // apartment's messages, which the box's modal loop dispatches.
        inApartment = kept.entered && SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    }
}

void MsgBoxAccessibility::LeaveApartment() noexcept
{
    Disconnect();
    if (inApartment) {
        inApartment = false;
        CoUninitialize();
    }
}

LRESULT MsgBoxAccessibility::OnGetObject(OrvexMsgBox& box, HWND window, WPARAM wParam, LPARAM lParam) noexcept
{
    // The object id arrives as a 32-bit value in a wider parameter.
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT || !inApartment) {
        return DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
    }
    if (!object) {
        object.Reset(new (std::nothrow) MsgBoxAccessible(box, window));
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
    CoDisconnectObject(object.Get(), 0);
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
