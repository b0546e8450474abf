#pragma once
// The custom message box: a band across a dimmed full-screen background,
// with its own modal loop. Construct, Init, and only when Init returned 1,
// Show; Show ends with Cleanup, so showing again needs a fresh Init.
#include <windows.h>

#include <cstdint>

#include "app/records.h"

class OrvexMsgBox {
public:
    // Copies the process-wide g_ButtonLabels.
    OrvexMsgBox() noexcept;
    ~OrvexMsgBox();
    OrvexMsgBox(const OrvexMsgBox&) = delete;
    OrvexMsgBox& operator=(const OrvexMsgBox&) = delete;

    // 1 when the box can be shown, 0 when not (all acquired is released).
    [[nodiscard]] std::int32_t Init() noexcept;
    // The answer: the platform's IDOK, IDCANCEL, ... Text and caption may be
    // null. A timeout of -1 means none.
    [[nodiscard]] std::int32_t Show(const wchar_t* text, const wchar_t* caption, std::uint32_t style,
                                    std::int32_t timeoutSeconds) noexcept;
    // Releases icon, fonts and class registrations; safe to repeat.
    void Cleanup() noexcept;

    // The message-box subsystem fills in the rest of the object.
};
