// Baseline of the first-paint figure: what the switch must do before its
// confirmation band is on the screen, and nothing more. It starts as
// OrvexSwitcher.exe starts (same imports, same canary seeding), makes the
// four exchanges with the script server that come before the confirmation
// (17, 24, 16, 24), registers the box's two window classes as the box does,
// turns off the input method of its thread as the box does (which keeps the
// platform from entering COM for it), measures the confirmation's text in
// the system's message font (a band's height follows its text, so no band
// can be painted before its text is measured), shows the layered veil and
// the box window over the whole screen and paints the band once: a fill and
// the text. It stays until it is ended.
#include <windows.h>

#include <imm.h>

#include "pipe_exchange.h"
#include "same_imports.h"

namespace {

constexpr COLORREF kBandColor = RGB(31, 0, 104);
constexpr wchar_t kText[] = L"Going to switch to android OS.";
HFONT g_font = nullptr;

LRESULT CALLBACK BandProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        const int bandHeight = client.bottom / 4;
        RECT band = {0, (client.bottom - bandHeight) / 2, client.right, (client.bottom + bandHeight) / 2};
        HBRUSH brush = CreateSolidBrush(kBandColor);
        FillRect(dc, &band, brush);
        DeleteObject(brush);
        HGDIOBJ oldFont = SelectObject(dc, g_font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextW(dc, kText, -1, &band, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, oldFont);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

ATOM RegisterBoxClass(HINSTANCE instance, const wchar_t* name, UINT style, WNDPROC procedure, HBRUSH background)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    return RegisterClassExW(&windowClass);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    if (g_sameImports[0] == nullptr) {
        return 1;
    }
    const wchar_t* const scripts[] = {ORVEX_BENCH_SCRIPT(L"17"), ORVEX_BENCH_SCRIPT(L"24"), ORVEX_BENCH_SCRIPT(L"16"),
                                        ORVEX_BENCH_SCRIPT(L"24")};
    for (const wchar_t* script : scripts) {
        if (!ExchangeWithScriptServer(script)) {
            return 1;
        }
    }
    if (HMODULE imm32 = LoadLibraryExW(L"imm32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        if (auto* disable = reinterpret_cast<decltype(ImmDisableIME)*>(
                reinterpret_cast<void*>(GetProcAddress(imm32, "ImmDisableIME")))) {
            disable(GetCurrentThreadId());
        }
    }
    if (RegisterBoxClass(instance, L"BenchVeil", CS_NOCLOSE, DefWindowProcW,
                         static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))) == 0 ||
        RegisterBoxClass(instance, L"BenchBand", CS_NOCLOSE | CS_DBLCLKS, BandProc,
                         reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1))) == 0) {
        return 1;
    }
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    g_font = CreateFontIndirectW(&metrics.lfMessageFont);
    HDC screen = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(screen, g_font);
    RECT measured = {0, 0, width, height};
    DrawTextW(screen, kText, -1, &measured, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(screen, oldFont);
    ReleaseDC(nullptr, screen);
    HWND veil = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"BenchVeil", nullptr,
                                WS_POPUP | WS_VISIBLE | WS_DISABLED | WS_CLIPSIBLINGS, 0, 0, width, height, nullptr,
                                nullptr, instance, nullptr);
    SetLayeredWindowAttributes(veil, 0, 76, LWA_ALPHA);
    CreateWindowExW(WS_EX_TOPMOST, L"BenchBand", nullptr, WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                    0, 0, width, height, veil, nullptr, instance, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}
