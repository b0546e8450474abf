#pragma once
// A language load on tables of its own: a fresh main table and reader, a
// chosen system locale, and a record of every block the load obtained, so
// that a test can count them and release them (the program never does).
#include <cstdint>
#include <string>
#include <vector>

#include "app/ground/records.h"
#include "baselib/base_lib_table.h"
#include "baselib/ini_parser_table.h"
#include "lang/catalog_loader.h"

// The UTF-8 conversion the tests use: the platform's own under Windows, a
// portable one with the same contract elsewhere.
using TestUtf8Conversion = int (*)(const char* text, wchar_t* buffer, int bufferUnits) noexcept;
[[nodiscard]] TestUtf8Conversion TestUtf8ToWide() noexcept;

// The platform of a system with the chosen locale and the tests' conversion.
class TestLanguagePlatform final : public LanguagePlatform {
public:
    explicit TestLanguagePlatform(std::uint32_t locale) noexcept : locale_(locale) {}
    std::uint32_t SystemDefaultLocale() const noexcept override { return locale_; }
    int Utf8ToWide(const char* text, wchar_t* buffer, int bufferUnits) const noexcept override
    {
        return TestUtf8ToWide()(text, buffer, bufferUnits);
    }

private:
    std::uint32_t locale_;
};

class LoaderRig {
public:
    LoaderRig();
    ~LoaderRig();
    LoaderRig(const LoaderRig&) = delete;
    LoaderRig& operator=(const LoaderRig&) = delete;

    // Loads `file` as the system with `locale` would; the catalog starts all zero.
    void Load(const char* file, std::uint32_t locale);

    // The main table's block service fails once this many more blocks have
    // been handed out (-1: never).
    void FailBlocksAfter(int count) noexcept;

    // Leaves a table cleared, as a failed set-up would.
    void ClearMainTable();
    void ClearReader();

    [[nodiscard]] std::wstring Text(CatalogEntry entry) const;   // "<null>" for a null entry
    [[nodiscard]] std::size_t BlockCount() const noexcept;
    // The size of the block behind an entry, 0 when the load did not obtain it.
    [[nodiscard]] std::uint32_t BlockSize(CatalogEntry entry) const noexcept;
    [[nodiscard]] std::size_t NullEntries() const noexcept;

    StringCatalog catalog{};
    BaseLibTable main{};
    IniParserTable reader{};
};

// The built-in file as a string to vary.
[[nodiscard]] std::string BuiltInFile();
// `text` with the first occurrence of `from` replaced by `to`; a test
// failure when there is none.
[[nodiscard]] std::string ReplaceFirst(std::string text, const std::string& from, const std::string& to);
// A key line laid out as the file lays them out.
[[nodiscard]] std::string KeyLine(const std::string& key, const std::string& value);
