#pragma once
// Circular doubly linked lists with a sentinel head, and the table of the
// eight operations on them that every base-library table carries.
#include <cstddef>
#include <cstdint>
#include <type_traits>

// A list is a head ListLink; every element of a list begins with one. An
// empty list's head points at itself both ways.
struct ListLink {
    ListLink* next;
    ListLink* prev;
};

// The operations reached through a LinkedListOps table. They take list heads
// and elements directly, never a context.
struct LinkedListOps {
    std::uint32_t Initialised;   // 1 once filled, 0 when cleared
    std::uint32_t (*LinkedList_GetInstanceCount)() noexcept;
    void (*LinkedList_Init)(ListLink* head) noexcept;
    std::uint32_t (*LinkedList_IsEmpty)(ListLink* head) noexcept;
    // Joins the element's neighbours; 1 when the list is empty afterwards.
    // The element's own links are left as they were.
    std::uint32_t (*LinkedList_Remove)(ListLink* element) noexcept;
    // These two do not test for emptiness: on an empty list they hand back
    // the head itself, so callers ask LinkedList_IsEmpty first.
    ListLink* (*LinkedList_RemoveHead)(ListLink* head) noexcept;
    ListLink* (*LinkedList_RemoveTail)(ListLink* head) noexcept;
    // Both return the element that held the place before (the head when the
    // list was empty).
    ListLink* (*LinkedList_InsertTail)(ListLink* head, ListLink* element) noexcept;
    ListLink* (*LinkedList_InsertHead)(ListLink* head, ListLink* element) noexcept;
    char Signature[4];           // "LLst" once filled
};

inline constexpr char kLinkedListSignature[4] = {'L', 'L', 's', 't'};

// Fills a table with the eight operations and its signature and counts it.
void LinkedListOps_Fill(LinkedListOps* ops) noexcept;
// Clears the flag and the eight slots and counts the table off again. The
// signature is left to whoever clears the block that holds the table.
void LinkedListOps_Clear(LinkedListOps* ops) noexcept;

// The record whose first member is `link`. Every element type of these lists
// is standard layout with its ListLink first, so the two addresses coincide.
template <typename Element>
[[nodiscard]] Element* ListElement(ListLink* link) noexcept
{
    static_assert(std::is_standard_layout_v<Element>);
    static_assert(offsetof(Element, Link) == 0);
    return reinterpret_cast<Element*>(link);
}
