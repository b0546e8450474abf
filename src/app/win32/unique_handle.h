#pragma once
// Move-only owners for what Win32 hands out. One template; a traits type per
// kind of handle knows the value that means "none" and the one call that
// releases it, so that each release call is written once in the code base.
#include <windows.h>

#include <utility>

template <typename Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Type value) noexcept : Value(value) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : Value(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    [[nodiscard]] Type Get() const noexcept { return Value; }
    [[nodiscard]] bool IsValid() const noexcept { return Value != Traits::Invalid(); }
    explicit operator bool() const noexcept { return IsValid(); }

    // For calls that return the handle through an out parameter; whatever
    // was held before is released first.
    [[nodiscard]] Type* Put() noexcept
    {
        Reset();
        return &Value;
    }

    [[nodiscard]] Type Release() noexcept { return std::exchange(Value, Traits::Invalid()); }

    void Reset(Type value = Traits::Invalid()) noexcept
    {
        const Type old = std::exchange(Value, value);
        if (old != Traits::Invalid()) {
            Traits::Close(old);
        }
    }

private:
    Type Value = Traits::Invalid();
};

// Process and token handles: "none" is null.
struct KernelHandleTraits {
    using Type = HANDLE;
    static constexpr Type Invalid() noexcept { return nullptr; }
    static void Close(Type handle) noexcept { CloseHandle(handle); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

// Files and pipes: "none" is INVALID_HANDLE_VALUE.
struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) noexcept { KernelHandleTraits::Close(handle); }
};
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;

// A module loaded with LoadLibraryExW.
struct ModuleTraits {
    using Type = HMODULE;
    static constexpr Type Invalid() noexcept { return nullptr; }
    static void Close(Type module) noexcept { FreeLibrary(module); }
};
using UniqueModule = UniqueHandle<ModuleTraits>;

// A COM interface pointer: the owner holds one reference.
template <typename Interface>
struct ComReferenceTraits {
    using Type = Interface*;
    static constexpr Type Invalid() noexcept { return nullptr; }
    static void Close(Type object) noexcept { object->Release(); }
};
template <typename Interface>
using ComPtr = UniqueHandle<ComReferenceTraits<Interface>>;
