#pragma once
// Move-only owners of what Win32 hands out. Each kind of handle has a traits
// type that knows its invalid value and its one release call.
#include <windows.h>

#include <utility>

template <class Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Type value) noexcept : value_(value) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    [[nodiscard]] Type Get() const noexcept { return value_; }
    [[nodiscard]] bool Valid() const noexcept { return value_ != Traits::Invalid(); }
    explicit operator bool() const noexcept { return Valid(); }

    // For calls that hand the handle out through a pointer; releases what
    // was held first.
    [[nodiscard]] Type* Put() noexcept
    {
        Reset();
        return &value_;
    }

    // Gives up ownership without releasing.
    [[nodiscard]] Type Release() noexcept { return std::exchange(value_, Traits::Invalid()); }

    // Releases what is held, then holds value.
    void Reset(Type value = Traits::Invalid()) noexcept
    {
        const Type old = std::exchange(value_, value);
        if (old != Traits::Invalid()) {
            Traits::Close(old);
        }
    }

private:
    Type value_ = Traits::Invalid();
};

struct KernelHandleCloser {
    static void Close(HANDLE handle) noexcept { ::CloseHandle(handle); }
};

// Files and pipes: CreateFileW and CreateNamedPipeW fail with
// INVALID_HANDLE_VALUE.
struct FileHandleTraits : KernelHandleCloser {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
};

// Events, threads and processes: their creators fail with null.
struct KernelObjectTraits : KernelHandleCloser {
    using Type = HANDLE;
    static Type Invalid() noexcept { return nullptr; }
};

using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueKernelObject = UniqueHandle<KernelObjectTraits>;

// A module loaded with LoadLibraryExW.
struct ModuleTraits {
    using Type = HMODULE;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type module) noexcept { ::FreeLibrary(module); }
};
using UniqueModule = UniqueHandle<ModuleTraits>;

// The argument array of CommandLineToArgvW, one block of LocalAlloc.
struct ArgumentListTraits {
    using Type = LPWSTR*;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type arguments) noexcept { ::LocalFree(arguments); }
};
using UniqueArgumentList = UniqueHandle<ArgumentListTraits>;

// A COM interface pointer: the owner holds one reference.
template <class Interface>
struct ComReferenceTraits {
    using Type = Interface*;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type object) noexcept { object->Release(); }
};
template <class Interface>
using ComPtr = UniqueHandle<ComReferenceTraits<Interface>>;
