#pragma once
// The general-purpose heap behind every block of the base library: the
// tables' own blocks, the services' blocks and their scratch buffers.
#include <cstddef>

struct BaseLibHeap {
    // A zero-filled block of at least `size` bytes, or null.
    void* (*Allocate)(std::size_t size) noexcept;
    // Gives a block back; null is ignored.
    void (*Release)(void* block) noexcept;
};

// Puts another heap in place (null: the C library's) and returns the one that
// was in place. Tests use it to count blocks and to refuse one; swap heaps
// only while no block of the current one is held.
const BaseLibHeap* BaseLib_SetHeap(const BaseLibHeap* heap) noexcept;

// A zero-filled block from the heap in place. A size of 0 still yields a
// block of its own, on every platform.
[[nodiscard]] void* BaseLibHeap_Allocate(std::size_t size) noexcept;
void BaseLibHeap_Release(void* block) noexcept;
