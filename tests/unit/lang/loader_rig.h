#pragma once
// A language load on tables of its own, for a chosen system locale, with a
// record of every block it obtained so that a test can count them (the
// program never releases them; the rig does).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "baselib/base_lib_setup.h"
#include "baselib/ini_parser_setup.h"
#include "lang/catalog_loader.h"
#include "lang/default_language_file.h"
#include "portable_utf8.h"

class LoaderRig final : private LanguagePlatform {
public:
    LoaderRig()
    {
        Blocks().clear();
        BlocksLeft() = -1;
        EXPECT_EQ(BaseLib_Setup(1, &main) & IniParser_Setup(1, &reader), 1u);
        RealAllocate() = main.BaseLib_MmAllocMem;
        main.BaseLib_MmAllocMem = [](BaseLibContext* context, std::uint32_t size) noexcept -> void* {
            void* block = BlocksLeft() == 0 ? nullptr : RealAllocate()(context, size);
            BlocksLeft() -= BlocksLeft() > 0 ? 1 : 0;
            if (block != nullptr) {
                Blocks().push_back({block, size});
            }
            return block;
        };
    }
    ~LoaderRig()
    {
        for (const auto& [block, size] : Blocks()) {
            (void)main.BaseLib_MmFreeMem(&main.Context, block);
        }
        (void)IniParser_Setup(0, &reader);
        (void)BaseLib_Setup(0, &main);
    }

    void Load(const std::string& file, std::uint32_t locale)
    {
        locale_ = locale;
        LoadStringCatalog(main, reader, file.c_str(), *this, catalog);
    }
    void FailBlocksAfter(int count) { BlocksLeft() = count; }
    void ClearReader() { (void)IniParser_Setup(0, &reader); }
    void ClearMainTable() { (void)BaseLib_Setup(0, &main); }
    std::wstring Text(CatalogEntry entry) const
    {
        return catalog.Text(entry) != nullptr ? catalog.Text(entry) : L"<null>";
    }
    std::size_t NullEntries() const { return std::count(std::begin(catalog.Texts), std::end(catalog.Texts), nullptr); }
    std::size_t BlockCount() const { return Blocks().size(); }
    std::uint32_t BlockSize(CatalogEntry entry) const
    {
        for (const auto& [block, size] : Blocks()) {
            if (block == catalog.Text(entry)) {
                return size;
            }
        }
        return 0;
    }

    StringCatalog catalog{};
    BaseLibTable main{};
    IniParserTable reader{};

private:
    std::uint32_t SystemDefaultLocale() const noexcept override { return locale_; }
    int Utf8ToWide(const char* text, wchar_t* buffer, int units) const noexcept override
    {
        return PortableUtf8ToWide(text, buffer, units);
    }
    // The table's slot takes no user data: one rig at a time keeps its state here.
    static std::vector<std::pair<void*, std::uint32_t>>& Blocks()
    {
        static std::vector<std::pair<void*, std::uint32_t>> blocks;
        return blocks;
    }
    static int& BlocksLeft()
    {
        static int left = -1;
        return left;
    }
    using Allocate = void* (*)(BaseLibContext*, std::uint32_t) noexcept;
    static Allocate& RealAllocate()
    {
        static Allocate allocate = nullptr;
        return allocate;
    }
    std::uint32_t locale_ = 0;
};

inline std::string BuiltInFile()
{
    return {DefaultLanguageFileText(), DefaultLanguageFileSize()};
}

// A key line as the file lays it out, the key padded to 40 characters.
inline std::string KeyLine(const std::string& key, const std::string& value)
{
    return key + std::string(key.size() < 40 ? 40 - key.size() : 0, ' ') + "=" + value;
}

// The built-in file with the first occurrence of from replaced by to.
inline std::string BuiltInFileWith(const std::string& from, const std::string& to)
{
    std::string text = BuiltInFile();
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}
