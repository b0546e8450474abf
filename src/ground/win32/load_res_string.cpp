#include "ground/win32/load_res_string.h"

#include <new>

std::wstring LoadResString(HMODULE module, UINT id) noexcept
{
    // A buffer size of 0 asks for a read-only pointer into the resource and
    // its length, without a copy.
    const wchar_t* resource = nullptr;
    const int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0) {
        return {};
    }
    try {
        std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
        const int copied = LoadStringW(module, id, buffer.data(), length + 1);
        buffer.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
        return buffer;
    } catch (const std::bad_alloc&) {
        return {};
    }
}
