#pragma once
// The general-purpose heap behind every block of the base library: the
// tables' own blocks, the services' blocks and their scratch buffers.
#include <cstddef>

class BaseLibHeap {
public:
    // A block of at least `size` bytes (never 0), or null; its contents are
    // not settled.
    virtual void* Allocate(std::size_t size) noexcept = 0;
    // Gives a block back; never called with null.
    virtual void Release(void* block) noexcept = 0;

protected:
    ~BaseLibHeap() = default;
};

// Puts another heap in place (null: the C library's) and returns the one that
// was in place. Tests use it to count blocks and to refuse one; swap heaps
// only while no block of the current one is held.
BaseLibHeap* BaseLib_SetHeap(BaseLibHeap* heap) noexcept;

// A zero-filled block from the heap in place. A size of 0 still yields a
// block of its own, on every platform.
[[nodiscard]] void* BaseLibHeap_Allocate(std::size_t size) noexcept;
void BaseLibHeap_Release(void* block) noexcept;
