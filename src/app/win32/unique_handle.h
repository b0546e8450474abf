#pragma once
// A move-only owner of one handle. The traits type says what the handle is,
// which value means "none" and how it is released:
//
//   struct FontTraits {
//       using Handle = HFONT;
//       static constexpr Handle Invalid() noexcept { return nullptr; }
//       static void Close(Handle handle) noexcept;
//   };
//
// A handle that needs more than one value to be released (a device context
// and its window, a class atom and its module) is a small struct with a
// defaulted operator==.
#include <utility>

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : value(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : value(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    [[nodiscard]] Handle get() const noexcept { return value; }
    [[nodiscard]] bool valid() const noexcept { return !(value == Traits::Invalid()); }
    explicit operator bool() const noexcept { return valid(); }

    // Gives the handle up without releasing it.
    [[nodiscard]] Handle release() noexcept { return std::exchange(value, Traits::Invalid()); }

    // Releases the current handle, if any, and keeps the new one.
    void reset(Handle handle = Traits::Invalid()) noexcept
    {
        Handle old = std::exchange(value, handle);
        if (!(old == Traits::Invalid())) {
            Traits::Close(old);
        }
    }

private:
    Handle value = Traits::Invalid();
};
