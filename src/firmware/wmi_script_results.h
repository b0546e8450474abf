#pragma once
// The script server's answer: a table from key to value. Keys compare
// without regard to the case of A to Z; a key keeps the spelling it was
// first stored with.
#include <cstddef>
#include <map>
#include <string>
#include <string_view>

struct WmiKeyLess {
    using is_transparent = void;
    [[nodiscard]] bool operator()(std::wstring_view left, std::wstring_view right) const noexcept;
};

class WmiScriptResults {
public:
    using Entries = std::map<std::wstring, std::wstring, WmiKeyLess>;

    // Stores value under key, replacing the value of a key that differs
    // only in case; the key keeps its first spelling.
    void Store(std::wstring_view key, std::wstring_view value);

    // The value under key, or empty text when the key is not there.
    [[nodiscard]] std::wstring Read(std::wstring_view key) const;

    [[nodiscard]] bool Contains(std::wstring_view key) const;
    [[nodiscard]] std::size_t Size() const noexcept { return entries_.size(); }
    [[nodiscard]] const Entries& Items() const noexcept { return entries_; }
    void Clear() noexcept { entries_.clear(); }

private:
    Entries entries_;
};
