#pragma once
// Owners of what the message box takes from USER32 and GDI32: fonts and
// bitmaps, icons, device contexts, the objects selected into a device
// context, and window-class registrations.
#include <windows.h>

#include "ground/win32/unique_handle.h"

struct GdiObjectTraits {
    using Type = HGDIOBJ;
    static constexpr Type Invalid() noexcept { return nullptr; }
    static void Close(Type handle) noexcept;
};

struct IconTraits {
    using Type = HICON;
    static constexpr Type Invalid() noexcept { return nullptr; }
    static void Close(Type handle) noexcept;
};

// A device context taken with GetDC goes back to its window.
struct WindowDc {
    HWND window = nullptr;
    HDC dc = nullptr;
    friend bool operator==(const WindowDc&, const WindowDc&) = default;
};
struct WindowDcTraits {
    using Type = WindowDc;
    static constexpr Type Invalid() noexcept { return {}; }
    static void Close(Type handle) noexcept;
};

// A memory device context made with CreateCompatibleDC.
struct MemoryDcTraits {
    using Type = HDC;
    static constexpr Type Invalid() noexcept { return nullptr; }
    static void Close(Type handle) noexcept;
};

// What a device context held before an object was selected into it; the
// release selects it back.
struct Selection {
    HDC dc = nullptr;
    HGDIOBJ previous = nullptr;
    friend bool operator==(const Selection&, const Selection&) = default;
};
struct SelectionTraits {
    using Type = Selection;
    static constexpr Type Invalid() noexcept { return {}; }
    static void Close(Type handle) noexcept;
};

// A registered window class: its atom and the module that registered it.
struct ClassRegistration {
    ATOM atom = 0;
    HINSTANCE instance = nullptr;
    friend bool operator==(const ClassRegistration&, const ClassRegistration&) = default;
};
struct ClassRegistrationTraits {
    using Type = ClassRegistration;
    static constexpr Type Invalid() noexcept { return {}; }
    static void Close(Type handle) noexcept;
};

using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueWindowDc = UniqueHandle<WindowDcTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueSelection = UniqueHandle<SelectionTraits>;
using UniqueClassRegistration = UniqueHandle<ClassRegistrationTraits>;

// GetDC of a window; none when the call fails.
[[nodiscard]] UniqueWindowDc TakeWindowDc(HWND window) noexcept;

// Selects an object into a device context until the owner goes; nothing to
// undo when the object is null or the selection fails.
[[nodiscard]] UniqueSelection SelectInto(HDC dc, HGDIOBJ object) noexcept;
