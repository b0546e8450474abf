// A screen reader's view of the message box, through Active Accessibility
// from another process:
//   msaa_client.exe SECONDS
// It follows the box's events in every process, prints "ready" once it does,
// and then one line per event, tab-separated: a kind and key=value fields.
//   dialogstart  box role= name= description= children= focus= state= location=
//                button id= role= name= state= action= location= hit=   (one per button)
//   focus        id= name= state=
//   dialogend    after-end=HRESULT of a call on the object held since the start
// A line "press N" on standard input calls accDoDefaultAction on button N of
// the box last started ("pressed hr=..."); "quit" or the end of the input
// ends it. After SECONDS it ends by itself with exit code 2.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <iostream>
#include <string>

namespace {

constexpr UINT kCommandMessage = WM_APP + 1;   // lParam: a std::string* line, or null at the end of input
constexpr wchar_t kBoxClass[] = L"OrvexMsgBox_Class";

IAccessible* g_box = nullptr;   // the box last started, held past its end

std::string Utf8(const std::wstring& text)
{
    std::wstring escaped;
    for (wchar_t c : text) {
        if (c == L'\n') {
            escaped += L"\\n";
        } else if (c == L'\t') {
            escaped += L"\\t";
        } else {
            escaped += c;
        }
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, escaped.data(), static_cast<int>(escaped.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, escaped.data(), static_cast<int>(escaped.size()), bytes.data(), size, nullptr,
                        nullptr);
    return bytes;
}

void Emit(const std::string& line)
{
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

VARIANT Child(long id)
{
    VARIANT child;
    VariantInit(&child);
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
    if (FAILED(hr)) {
        return "error:" + Hex(hr);
    }
    std::string text = value != nullptr ? Utf8(value) : "";
    SysFreeString(value);
    return text;
}

std::string Number(IAccessible* acc, long id, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*))
{
    VARIANT value;
    VariantInit(&value);
    const HRESULT hr = (acc->*get)(Child(id), &value);
    if (FAILED(hr) || value.vt != VT_I4) {
        VariantClear(&value);
        return "error:" + Hex(hr);
    }
    return std::to_string(value.lVal);
}

std::string Location(IAccessible* acc, long id, long* centreX = nullptr, long* centreY = nullptr)
{
    long left = 0, top = 0, width = 0, height = 0;
    const HRESULT hr = acc->accLocation(&left, &top, &width, &height, Child(id));
    if (FAILED(hr)) {
        return "error:" + Hex(hr);
    }
    if (centreX != nullptr) {
        *centreX = left + width / 2;
        *centreY = top + height / 2;
    }
    return std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(width) + "," +
           std::to_string(height);
}

std::string ChildOf(const VARIANT& value, HRESULT hr)
{
    if (FAILED(hr)) {
        return "error:" + Hex(hr);
    }
    return value.vt == VT_I4 ? std::to_string(value.lVal) : "none";
}

void Describe(IAccessible* box)
{
    long count = 0;
    box->get_accChildCount(&count);
    VARIANT focus;
    VariantInit(&focus);
    const HRESULT focusResult = box->get_accFocus(&focus);
    Emit("box\trole=" + Number(box, CHILDID_SELF, &IAccessible::get_accRole) +
         "\tname=" + Text(box, CHILDID_SELF, &IAccessible::get_accName) +
         "\tdescription=" + Text(box, CHILDID_SELF, &IAccessible::get_accDescription) +
         "\tchildren=" + std::to_string(count) + "\tfocus=" + ChildOf(focus, focusResult) +
         "\tstate=" + Number(box, CHILDID_SELF, &IAccessible::get_accState) +
         "\tlocation=" + Location(box, CHILDID_SELF));
    VariantClear(&focus);
    for (long id = 1; id <= count; ++id) {
        long x = 0;
        long y = 0;
        const std::string location = Location(box, id, &x, &y);
        VARIANT hit;
        VariantInit(&hit);
        const HRESULT hitResult = box->accHitTest(x, y, &hit);
        Emit("button\tid=" + std::to_string(id) + "\trole=" + Number(box, id, &IAccessible::get_accRole) +
             "\tname=" + Text(box, id, &IAccessible::get_accName) +
             "\tstate=" + Number(box, id, &IAccessible::get_accState) +
             "\taction=" + Text(box, id, &IAccessible::get_accDefaultAction) + "\tlocation=" + location +
             "\thit=" + ChildOf(hit, hitResult));
        VariantClear(&hit);
    }
}

bool IsBoxWindow(HWND window)
{
    wchar_t name[64] = {};
    return window != nullptr && GetClassNameW(window, name, 64) > 0 && std::wcscmp(name, kBoxClass) == 0;
}

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (!IsBoxWindow(window)) {
        return;
    }
    if (event == EVENT_SYSTEM_DIALOGEND) {
        std::string afterEnd = "none";
        if (g_box != nullptr) {
            BSTR name = nullptr;
            afterEnd = Hex(g_box->get_accName(Child(CHILDID_SELF), &name));
            SysFreeString(name);
        }
        Emit("dialogend\tafter-end=" + afterEnd);
        return;
    }
    IAccessible* acc = nullptr;
    VARIANT id;
    VariantInit(&id);
    const HRESULT hr = AccessibleObjectFromEvent(window, static_cast<DWORD>(object), static_cast<DWORD>(child), &acc,
                                                 &id);
    if (FAILED(hr) || acc == nullptr) {
        Emit((event == EVENT_SYSTEM_DIALOGSTART ? "dialogstart\terror=" : "focus\terror=") + Hex(hr));
        return;
    }
    if (event == EVENT_SYSTEM_DIALOGSTART) {
        if (g_box != nullptr) {
            g_box->Release();
        }
        g_box = acc;
        Emit("dialogstart");
        Describe(acc);
        return;
    }
    const long focused = id.vt == VT_I4 ? id.lVal : -1;
    Emit("focus\tid=" + std::to_string(focused) + "\tname=" + Text(acc, focused, &IAccessible::get_accName) +
         "\tstate=" + Number(acc, focused, &IAccessible::get_accState));
    acc->Release();
}

DWORD WINAPI ReadCommands(void* mainThread)
{
    const DWORD thread = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(mainThread));
    std::string line;
    while (std::getline(std::cin, line)) {
        PostThreadMessageW(thread, kCommandMessage, 0, reinterpret_cast<LPARAM>(new std::string(line)));
    }
    PostThreadMessageW(thread, kCommandMessage, 0, 0);
    return 0;
}

void CALLBACK OnTimeLimit(HWND, UINT, UINT_PTR, DWORD)
{
    Emit("time-limit");
    ExitProcess(2);
}

// False when the client should end.
bool Run(const std::string& command)
{
    if (command.rfind("press ", 0) == 0) {
        const long id = std::atol(command.c_str() + 6);
        const HRESULT hr = g_box != nullptr ? g_box->accDoDefaultAction(Child(id)) : E_POINTER;
        Emit("pressed\tid=" + std::to_string(id) + "\thr=" + Hex(hr));
        return true;
    }
    return command != "quit";
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int seconds = argc == 2 ? _wtoi(argv[1]) : 0;
    if (seconds <= 0 || FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        return 100;
    }
    // Out of context: the events come through this thread's message loop.
    HWINEVENTHOOK dialogs = SetWinEventHook(EVENT_SYSTEM_DIALOGSTART, EVENT_SYSTEM_DIALOGEND, nullptr, OnEvent, 0, 0,
                                            WINEVENT_OUTOFCONTEXT);
    HWINEVENTHOOK focus = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, OnEvent, 0, 0,
                                          WINEVENT_OUTOFCONTEXT);
    if (dialogs == nullptr || focus == nullptr) {
        return 100;
    }
    SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000u, OnTimeLimit);
    // The message queue exists now, so the reader's first post cannot be lost.
    const DWORD self = GetCurrentThreadId();
    HANDLE reader = CreateThread(nullptr, 0, ReadCommands, reinterpret_cast<void*>(static_cast<ULONG_PTR>(self)), 0,
                                 nullptr);
    if (reader == nullptr) {
        return 100;
    }
    CloseHandle(reader);
    Emit("ready");

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == kCommandMessage) {
            auto* line = reinterpret_cast<std::string*>(message.lParam);
            const bool more = line != nullptr && Run(*line);
            delete line;
            if (!more) {
                break;
            }
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (g_box != nullptr) {
        g_box->Release();
    }
    UnhookWinEvent(focus);
    UnhookWinEvent(dialogs);
    CoUninitialize();
    return 0;
}
