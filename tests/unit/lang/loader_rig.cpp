#include "loader_rig.h"

#include <gtest/gtest.h>

#include <cwchar>

#include "baselib/base_lib_setup.h"
#include "baselib/ini_parser_setup.h"
#include "lang/default_language_file.h"

namespace {

// The table slots take no user data, so the rig's allocator keeps its state
// here; one rig exists at a time.
struct BlockRecord {
    void* block;
    std::uint32_t size;
};
std::vector<BlockRecord> g_blocks;
void* (*g_realAllocate)(BaseLibContext*, std::uint32_t) noexcept = nullptr;
int g_blocksLeft = -1;

void* RecordingAllocate(BaseLibContext* context, std::uint32_t size) noexcept
{
    if (g_blocksLeft == 0) {
        return nullptr;
    }
    if (g_blocksLeft > 0) {
        --g_blocksLeft;
    }
    void* block = g_realAllocate(context, size);
    if (block != nullptr) {
        g_blocks.push_back({block, size});
    }
    return block;
}

}  // namespace

LoaderRig::LoaderRig()
{
    g_blocks.clear();
    g_blocksLeft = -1;
    EXPECT_EQ(BaseLib_Setup(1, &main), 1u);
    EXPECT_EQ(IniParser_Setup(1, &reader), 1u);
    g_realAllocate = main.BaseLib_MmAllocMem;
    main.BaseLib_MmAllocMem = RecordingAllocate;
}

LoaderRig::~LoaderRig()
{
    if (main.Initialised != 0) {
        for (const BlockRecord& record : g_blocks) {
            (void)main.BaseLib_MmFreeMem(&main.Context, record.block);
        }
    }
    g_blocks.clear();
    (void)IniParser_Setup(0, &reader);
    (void)BaseLib_Setup(0, &main);
}

void LoaderRig::Load(const char* file, std::uint32_t locale)
{
    const TestLanguagePlatform platform(locale);
    LoadStringCatalog(main, reader, file, platform, catalog);
}

void LoaderRig::FailBlocksAfter(int count) noexcept
{
    g_blocksLeft = count;
}

void LoaderRig::ClearMainTable()
{
    (void)BaseLib_Setup(0, &main);
}

void LoaderRig::ClearReader()
{
    (void)IniParser_Setup(0, &reader);
}

std::wstring LoaderRig::Text(CatalogEntry entry) const
{
    const wchar_t* text = catalog.Text(entry);
    return text != nullptr ? std::wstring(text) : L"<null>";
}

std::size_t LoaderRig::BlockCount() const noexcept
{
    return g_blocks.size();
}

std::uint32_t LoaderRig::BlockSize(CatalogEntry entry) const noexcept
{
    for (const BlockRecord& record : g_blocks) {
        if (record.block == catalog.Text(entry)) {
            return record.size;
        }
    }
    return 0;
}

std::size_t LoaderRig::NullEntries() const noexcept
{
    std::size_t count = 0;
    for (const wchar_t* text : catalog.Texts) {
        count += text == nullptr ? 1 : 0;
    }
    return count;
}

std::string BuiltInFile()
{
    return {DefaultLanguageFileText(), DefaultLanguageFileSize()};
}

std::string ReplaceFirst(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string KeyLine(const std::string& key, const std::string& value)
{
    std::string line = key;
    if (line.size() < 40) {
        line.resize(40, ' ');
    }
    return line + "=" + value;
}
