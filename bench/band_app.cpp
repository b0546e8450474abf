// Baseline of the first-paint figure: one band painted over a layered veil,
// the least a full-screen message box can do. It loads the same system
// libraries as OrvexSwitcher.exe and enters a COM apartment as the box does
// for screen readers, so that the figure compares painting, not start-up.
// It stays until it is ended.
#include <windows.h>

#include <objbase.h>

#include "same_imports.h"

namespace {

constexpr COLORREF kBandColor = RGB(31, 0, 104);

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
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    if (g_sameImports[0] == nullptr || FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        return 1;
    }
    WNDCLASSW veilClass{};
    veilClass.lpfnWndProc = DefWindowProcW;
    veilClass.hInstance = instance;
    veilClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    veilClass.lpszClassName = L"BenchVeil";
    RegisterClassW(&veilClass);
    WNDCLASSW bandClass{};
    bandClass.lpfnWndProc = BandProc;
    bandClass.hInstance = instance;
    bandClass.lpszClassName = L"BenchBand";
    RegisterClassW(&bandClass);

    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HWND veil = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"BenchVeil", nullptr,
                                WS_POPUP | WS_VISIBLE | WS_DISABLED, 0, 0, width, height, nullptr, nullptr, instance,
                                nullptr);
    SetLayeredWindowAttributes(veil, 0, 76, LWA_ALPHA);
    CreateWindowExW(WS_EX_TOPMOST, L"BenchBand", nullptr, WS_POPUP | WS_VISIBLE, 0, 0, width, height, veil, nullptr,
                    instance, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}
