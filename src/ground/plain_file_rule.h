#pragma once
// Whether a name that the program writes or deletes is what it seems, decided
// from what the platform reported about the open file. Only what redirects a
// name is refused: a symbolic link, junction or mount point, a folder, a file
// with a second name, or a file whose final path lies in another folder. A
// reparse point that redirects nothing (a cloud placeholder, a deduplicated
// or compressed file) is a file like any other.
#include <cstdint>

// The bit that the platform's IsReparseTagNameSurrogate tests: the tag's
// reparse point stands for another name.
inline constexpr std::uint32_t kReparseTagNameSurrogateBit = 0x20000000;

// The file attributes that the rule reads, as the platform numbers them.
inline constexpr std::uint32_t kAttributeDirectory = 0x10;
inline constexpr std::uint32_t kAttributeReparsePoint = 0x400;

// Where the file's final path lies against the final path of the folder that
// its name says. Unresolved when either final path cannot be read (volumes
// without a drive letter, RAM disks): then the other facts decide alone.
enum class FinalPlace { InFolder, Elsewhere, Unresolved };

struct FileFacts {
    std::uint32_t attributes = 0;
    std::uint32_t reparseTag = 0;   // read when attributes hold a reparse point
    std::uint32_t linkCount = 0;
    FinalPlace place = FinalPlace::Unresolved;
};

[[nodiscard]] bool IsPlainFile(const FileFacts& facts) noexcept;
