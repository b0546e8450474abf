#pragma once
// What one line of INI text is: a section header, a key line or nothing.
#include <string_view>

enum class IniLineKind { Other, Section, Key };

struct IniLineScan {
    IniLineKind kind;
    std::string_view name;    // the section's name or the key
    std::string_view value;   // the key's value, empty when there is none
};

// A line (without its line feed) that begins with "[" and has at least one
// character before the next "]" or its end is a section header named by
// those characters; whatever follows the "]" is ignored.
//
// Otherwise a line that begins with any character but "=", "^", ";" and "#"
// is a key line. The key is the longest leading run without those four
// characters, blanks included. After it come white space, "=", white space
// and the value: the longest run without a line feed, "#" and ";". Without
// an "=" the value is empty. A carriage return is an ordinary character,
// except that white space right after the "=" swallows it.
//
// Lines that begin with ";" or "#" are comments; empty lines are nothing.
[[nodiscard]] IniLineScan ScanIniLine(std::string_view line) noexcept;
