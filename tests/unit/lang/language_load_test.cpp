// The choice of language and the filling of the catalog from a language file.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "baselib/base_lib_setup.h"
#include "baselib/ini_parser_setup.h"
#include "lang/catalog_loader.h"
#include "lang/default_language_file.h"
#include "lang/language_choice.h"
#include "portable_utf8.h"

namespace {

// The table's slot takes no user data: one rig at a time keeps its blocks
// (with their sizes) here, and gives out only g_blocksLeft more (-1: any).
std::vector<std::pair<void*, std::uint32_t>> g_blocks;
int g_blocksLeft = -1;
void* (*g_realAllocate)(BaseLibContext*, std::uint32_t) noexcept = nullptr;

// A language load on tables of its own, for a chosen system locale. The
// program never releases the catalog's blocks; the rig does.
class LoaderRig final : private LanguagePlatform {
public:
    LoaderRig()
    {
        g_blocks.clear();
        g_blocksLeft = -1;
        EXPECT_EQ(BaseLib_Setup(1, &main) & IniParser_Setup(1, &reader), 1u);
        g_realAllocate = main.BaseLib_MmAllocMem;
        main.BaseLib_MmAllocMem = [](BaseLibContext* context, std::uint32_t size) noexcept -> void* {
            void* block = g_blocksLeft == 0 ? nullptr : g_realAllocate(context, size);
            g_blocksLeft -= g_blocksLeft > 0 ? 1 : 0;
            return block != nullptr ? g_blocks.emplace_back(block, size).first : nullptr;
        };
    }
    ~LoaderRig()
    {
        for (const auto& block : g_blocks) {
            (void)main.BaseLib_MmFreeMem(&main.Context, block.first);
        }
        (void)IniParser_Setup(0, &reader);
        (void)BaseLib_Setup(0, &main);
    }
    void Load(const std::string& file, std::uint32_t locale)
    {
        locale_ = locale;
        LoadStringCatalog(main, reader, file.c_str(), *this, catalog);
    }
    std::wstring Text(CatalogEntry entry) const
    {
        return catalog.Text(entry) != nullptr ? catalog.Text(entry) : L"<null>";
    }
    std::size_t NullEntries() const { return std::count(std::begin(catalog.Texts), std::end(catalog.Texts), nullptr); }

    StringCatalog catalog{};
    BaseLibTable main{};
    IniParserTable reader{};

private:
    std::uint32_t SystemDefaultLocale() const noexcept override { return locale_; }
    int Utf8ToWide(const char* text, wchar_t* buffer, int units) const noexcept override
    {
        return PortableUtf8ToWide(text, buffer, units);
    }
    std::uint32_t locale_ = 0;
};

std::string BuiltInFile()
{
    return {DefaultLanguageFileText(), DefaultLanguageFileSize()};
}

// The built-in file with `from` replaced by `to` once.
std::string Replaced(const std::string& from, const std::string& to)
{
    std::string text = BuiltInFile();
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The built-in file with the first line of `key` (the file pads keys to 40
// characters) holding `value`.
std::string BuiltInFileWith(const std::string& key, const std::string& value)
{
    const std::string text = BuiltInFile();
    const std::size_t at = text.find(key + std::string(40 - key.size(), ' ') + "=");
    return Replaced(text.substr(at, text.find('\n', at) - at), key + std::string(40 - key.size(), ' ') + "=" + value);
}

using E = CatalogEntry;

TEST(LanguageChoice, FollowsTheSystemLocaleUnlessTheFileNamesALanguage)
{
    const std::uint32_t builtIn[kLanguageSupportsListSize] = {0x0409, 0x0404, 0x0804, 0x0411};
    const std::uint32_t shortList[kLanguageSupportsListSize] = {0x0404, 0, 0x0C04, 0x00010412};
    const std::uint32_t odd[kLanguageSupportsListSize] = {0x0211, 0x00010000};
    const struct { const char* name; const std::uint32_t (&list)[kLanguageSupportsListSize]; std::uint32_t locale;
        std::uint16_t named, chosen; } cases[] = {
        {"an offered locale", builtIn, 0x0804, 0, 0x0804},
        {"Hong Kong takes the first Chinese entry", builtIn, 0x0C04, 0, 0x0404},
        {"a locale with a sort order matches by primary language", builtIn, 0x00020411, 0, 0x0411},
        {"Korean is not offered", builtIn, 0x0412, 0, 0x0409},
        {"the named language wins even when nothing offers it", builtIn, 0x0411, 0x0407, 0x0407},
        {"the exact scan stops at the first zero", shortList, 0x0C04, 0, 0x0404},
        {"the primary-language scan goes past it and keeps the low 16 bits", shortList, 0x0812, 0, 0x0412},
        {"all ten bits of the primary language count", odd, 0x0411, 0, 0x0409},
        {"an entry whose low 16 bits are 0 gives English", odd, 0x0400, 0, 0x0409},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseLanguage(c.locale, c.named, c.list), c.chosen) << c.name;
    }
}

TEST(LanguageLoad, FileLanguageSectionsAndTextsDecideTheCatalog)
{
    const std::wstring japanese = L"Android OS \u306b\u5207\u308a\u66ff\u3048\u307e\u3059\u3002";
    const std::wstring customized = L"Going to switch to android OS.", base = L"Going to switch to another OS.";
    std::string many;
    for (int i = 0; i < 31; ++i) {
        many += "0x0409,";
    }
    const std::string builtIn = BuiltInFile();
    const struct { const char* name; std::string file; std::uint32_t locale, loaded;
        std::wstring continueText, cancel; } cases[] = {
        {"English, customized", builtIn, 0x0409, 1, customized, L"Cancel"},
        {"Japanese, customized", builtIn, 0x0411, 1, japanese, L"\u30ad\u30e3\u30f3\u30bb\u30eb"},
        {"the file names Simplified Chinese", BuiltInFileWith("LanguageIdentifier", "0804"), 0x0409, 1,
         L"\u5373\u5c06\u5207\u6362\u5230 Android \u64cd\u4f5c\u7cfb\u7edf\u3002", L"\u53d6\u6d88"},
        {"the file names German, which it lacks", BuiltInFileWith("LanguageIdentifier", "0x0407"), 0x0409, 0, L"<null>",
         L"<null>"},
        {"the 32nd entry of the list is read", BuiltInFileWith("LanguageSupportsList", many + "0x0411"), 0x0411, 1,
         japanese, L"\u30ad\u30e3\u30f3\u30bb\u30eb"},
        {"the 33rd is not", BuiltInFileWith("LanguageSupportsList", many + "0x0409,0x0411"), 0x0411, 1, customized,
         L"Cancel"},
        {"a customized value of 2 is never used", BuiltInFileWith("CUSTOMIZED_STRING", "2"), 0x0409, 1, base, L"Cancel"},
        {"a section without LANG_ID_IDENTIFIER does not count", Replaced("LANG_ID_IDENTIFIER", "LANG_ID"), 0x0409, 1,
         base, L"Cancel"},
        {"1023 characters fit", BuiltInFileWith("OSSWITCHER_IDS_SWITCH_CONTINUE", std::string(1023, 'a')), 0x0409, 1,
         std::wstring(1023, L'a'), L"Cancel"},
        {"1024 leave the base text", BuiltInFileWith("OSSWITCHER_IDS_SWITCH_CONTINUE", std::string(1024, 'a')), 0x0409,
         1, base, L"Cancel"},
    };
    for (const auto& c : cases) {
        LoaderRig rig;
        rig.Load(c.file, c.locale);
        EXPECT_EQ(rig.catalog.Loaded, c.loaded) << c.name;
        EXPECT_EQ(rig.Text(E::OSSWITCHER_IDS_SWITCH_CONTINUE), c.continueText) << c.name;
        EXPECT_EQ(rig.Text(E::BTN_TEXT_CANCEL), c.cancel) << c.name;
        EXPECT_EQ(rig.NullEntries(), c.loaded != 0 ? 0 : kCatalogEntryCount) << c.name;
    }
    // Each text in a block of exactly its size; the replaced base text is kept.
    LoaderRig rig;
    rig.Load(builtIn, 0x0409);
    EXPECT_EQ(g_blocks.size(), kCatalogEntryCount + 1);
    EXPECT_NE(std::find(g_blocks.begin(), g_blocks.end(), std::pair<void*, std::uint32_t>(
                  const_cast<wchar_t*>(rig.catalog.Text(E::BTN_TEXT_CANCEL)), sizeof L"Cancel")), g_blocks.end());
}

TEST(LanguageLoad, SilenceModeIsOneWhenItsNumberIsNotZero)
{
    for (const auto& [value, expected] : {std::pair{"x", 0u}, {"2abc", 1u}}) {
        LoaderRig rig;
        rig.Load(BuiltInFileWith("SilenceMode", value), 0x0409);
        EXPECT_EQ(rig.catalog.SilenceMode, expected) << value;
    }
}

TEST(LanguageLoad, WithoutBlocksOrTablesEntriesStayAsTheyWere)
{
    const struct { const char* name; int blocks; bool reader, main; std::uint32_t loaded;
        std::size_t nullEntries; } cases[] = {
        {"no blocks at all", 0, true, true, 1, kCatalogEntryCount},
        {"all but the last base text", 35, true, true, 1, 1},
        {"no reader", -1, false, true, 0, kCatalogEntryCount},
        {"no main table", -1, true, false, 0, kCatalogEntryCount},
    };
    for (const auto& c : cases) {
        LoaderRig rig;
        g_blocksLeft = c.blocks;
        if (!c.reader) {
            (void)IniParser_Setup(0, &rig.reader);
        }
        if (!c.main) {
            (void)BaseLib_Setup(0, &rig.main);
        }
        rig.Load(BuiltInFile(), 0x0409);
        EXPECT_EQ(rig.catalog.Loaded, c.loaded) << c.name;
        EXPECT_EQ(rig.NullEntries(), c.nullEntries) << c.name;
    }
}

}  // namespace
