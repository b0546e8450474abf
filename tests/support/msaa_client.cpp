// A screen reader's view of the message box, from another process through
// Active Accessibility. It prints "ready" once it follows the box's events,
// then a line per event: a kind and tab-separated key=value fields (dialogstart,
// box, a button line per button, focus, dialogend). With "--press N" it presses
// button N of every box once it has described it ("pressed"). It runs until ended.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

IAccessible* g_box = nullptr;   // the box last started, held until the next one
HWND g_boxWindow = nullptr;
long g_press = 0;   // the button pressed in every box; 0 for none

void Emit(const std::string& line)
{
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

VARIANT Child(long id)
{
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::string Hex(HRESULT hr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(hr));
    return text;
}

std::string Text(IAccessible* acc, long id, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*))
{
    BSTR value = nullptr;
    const HRESULT hr = (acc->*get)(Child(id), &value);
    const auto length = static_cast<int>(SysStringLen(value));
    const int size = FAILED(hr) ? 0 : WideCharToMultiByte(CP_UTF8, 0, value, length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, value, length, text.data(), size, nullptr, nullptr);
    SysFreeString(value);
    return FAILED(hr) ? "error:" + Hex(hr) : text;
}

// A number-valued property, or the child id that a call put into a VARIANT
// (which then holds no more than a number).
std::string Number(const VARIANT& value, HRESULT hr)
{
    return FAILED(hr) ? "error:" + Hex(hr) : value.vt == VT_I4 ? std::to_string(value.lVal) : "none";
}

std::string Number(IAccessible* acc, long id, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*))
{
    VARIANT value = Child(0);
    return Number(value, (acc->*get)(Child(id), &value));
}

void Describe(IAccessible* box)
{
    long count = 0;
    box->get_accChildCount(&count);
    VARIANT focus = Child(0);
    const HRESULT focusResult = box->get_accFocus(&focus);
    Emit("box\trole=" + Number(box, CHILDID_SELF, &IAccessible::get_accRole) +
         "\tname=" + Text(box, CHILDID_SELF, &IAccessible::get_accName) +
         "\tdescription=" + Text(box, CHILDID_SELF, &IAccessible::get_accDescription) +
         "\tchildren=" + std::to_string(count) + "\tfocus=" + Number(focus, focusResult));
    for (long id = 1; id <= count; ++id) {
        long left = 0, top = 0, width = 0, height = 0;
        const HRESULT placed = box->accLocation(&left, &top, &width, &height, Child(id));
        VARIANT hit = Child(0);
        const HRESULT hitResult = box->accHitTest(left + width / 2, top + height / 2, &hit);
        Emit("button\tid=" + std::to_string(id) + "\trole=" + Number(box, id, &IAccessible::get_accRole) +
             "\tname=" + Text(box, id, &IAccessible::get_accName) +
             "\tstate=" + Number(box, id, &IAccessible::get_accState) +
             "\taction=" + Text(box, id, &IAccessible::get_accDefaultAction) + "\tlocation=" +
             (FAILED(placed) ? "error:" + Hex(placed) : std::to_string(left) + "," + std::to_string(top) + "," +
                                                          std::to_string(width) + "," + std::to_string(height)) +
             "\thit=" + Number(hit, hitResult));
    }
}

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    // The end may come when the window is gone and has no class to ask for.
    if (event == EVENT_SYSTEM_DIALOGEND) {
        if (window != nullptr && window == g_boxWindow) {
            Emit("dialogend");
        }
        return;
    }
    wchar_t name[64] = {};
    if (window == nullptr || GetClassNameW(window, name, 64) == 0 || std::wcscmp(name, L"OrvexMsgBox_Class") != 0) {
        return;
    }
    if (event == EVENT_SYSTEM_DIALOGSTART && g_box != nullptr) {
        // Dropped first: this Wine gives the object of a later box of the
        // same program the identity of the last one, so a proxy still held
        // would be handed out again, disconnected.
        g_box->Release();
        g_box = nullptr;
    }
    IAccessible* acc = nullptr;
    VARIANT id{};
    const HRESULT hr = AccessibleObjectFromEvent(window, static_cast<DWORD>(object), static_cast<DWORD>(child), &acc,
                                                 &id);
    if (FAILED(hr) || acc == nullptr) {
        Emit((event == EVENT_SYSTEM_DIALOGSTART ? "dialogstart\terror=" : "focus\terror=") + Hex(hr));
        return;
    }
    if (event == EVENT_SYSTEM_DIALOGSTART) {
        g_box = acc;
        g_boxWindow = window;
        Emit("dialogstart");
        Describe(acc);
        if (g_press > 0) {
            // The box's end, and the next box, may come during the call.
            acc->AddRef();
            Emit("pressed\thr=" + Hex(acc->accDoDefaultAction(Child(g_press))));
            acc->Release();
        }
        return;
    }
    const long focused = id.vt == VT_I4 ? id.lVal : -1;
    Emit("focus\tid=" + std::to_string(focused) + "\tname=" + Text(acc, focused, &IAccessible::get_accName) +
         "\tstate=" + Number(acc, focused, &IAccessible::get_accState));
    acc->Release();
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 3 && std::wcscmp(argv[1], L"--press") == 0) {
        g_press = std::wcstol(argv[2], nullptr, 10);
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        return 100;
    }
    // Out of context: the events come through this thread's message loop.
    if (SetWinEventHook(EVENT_SYSTEM_DIALOGSTART, EVENT_SYSTEM_DIALOGEND, nullptr, OnEvent, 0, 0,
                        WINEVENT_OUTOFCONTEXT) == nullptr ||
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, OnEvent, 0, 0, WINEVENT_OUTOFCONTEXT) ==
            nullptr) {
        return 100;
    }
    Emit("ready");
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
