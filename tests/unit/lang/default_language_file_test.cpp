// The shape and the texts of the built-in language file.
#include "lang/default_language_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/ground/records.h"
#include "baselib/ini_parser_setup.h"
#include "baselib/ini_parser_table.h"
#include "loader_rig.h"

namespace {

struct Key {
    std::string name;   // without the blanks that pad it
    std::string value;
};

struct Section {
    std::string name;
    std::uint32_t keyCount;   // as the reader counts them
    std::vector<Key> keys;

    [[nodiscard]] std::string Value(std::string_view wanted) const
    {
        const auto key = std::find_if(keys.begin(), keys.end(), [&](const Key& k) { return k.name == wanted; });
        return key != keys.end() ? key->value : "<missing " + std::string(wanted) + ">";
    }
};

std::string_view FileText()
{
    return {DefaultLanguageFileText(), DefaultLanguageFileSize()};
}

// The file as the program's INI reader sees it, section by section.
std::vector<Section> Sections()
{
    IniParserTable reader{};
    std::vector<Section> sections;
    if (IniParser_Setup(1, &reader) == 0) {
        ADD_FAILURE() << "no reader";
        return sections;
    }
    IniParserContext* context = &reader.Context;
    EXPECT_EQ(reader.IniParser_ParseBuffer(context, DefaultLanguageFileText()), 1u);
    const std::uint32_t count = reader.IniParser_GetSectionCount(context);
    for (std::uint32_t index = 0; index < count; ++index) {
        Section copy{reader.IniParser_FindSectionByIndex(context, index)->Name,
                     reader.IniParser_GetKeyCount(context, index), {}};
        for (std::uint32_t k = 0; k < copy.keyCount; ++k) {
            const std::string raw = reader.IniParser_FindKeyByIndex(context, index, k)->Name;
            copy.keys.push_back({raw.substr(0, raw.find_last_not_of(' ') + 1),
                                 reader.IniParser_FindKeyByIndex(context, index, k)->Value});
        }
        sections.push_back(copy);
    }
    (void)IniParser_Setup(0, &reader);
    return sections;
}

std::vector<std::string> CatalogKeys()
{
    std::vector<std::string> keys;
    for (std::size_t i = 0; i < kCatalogEntryCount; ++i) {
        keys.emplace_back(CatalogKeyName(static_cast<CatalogEntry>(i)));
    }
    return keys;
}

std::vector<std::string> KeyNames(const Section& section, std::size_t from)
{
    std::vector<std::string> names;
    for (std::size_t i = from; i < section.keys.size(); ++i) {
        names.push_back(section.keys[i].name);
    }
    return names;
}

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The UTF-16 length of a text as the program converts it, -1 when the text
// is not well-formed UTF-8 (the conversion then puts U+FFFD in).
long Utf16Length(const std::string& text)
{
    const TestUtf8Conversion convert = TestUtf8ToWide();
    const int units = convert(text.c_str(), nullptr, 0);
    if (units <= 0) {
        return -1;
    }
    std::vector<wchar_t> wide(static_cast<std::size_t>(units));
    if (convert(text.c_str(), wide.data(), units) != units ||
        std::find(wide.begin(), wide.end(), L'\xFFFD') != wide.end()) {
        return -1;
    }
    return units - 1;
}

std::size_t Count(std::string_view text, std::string_view what)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + what.size())) {
        ++count;
    }
    return count;
}

TEST(DefaultLanguageFile, IsUtf8TextOf234LinesEndingInAnEmptyLineAndANul)
{
    const std::string_view text = FileText();
    EXPECT_EQ(DefaultLanguageFileText()[text.size()], '\0');
    EXPECT_EQ(std::strlen(DefaultLanguageFileText()), text.size()) << "no NUL inside the file";
    EXPECT_EQ(Count(text, "\n"), 234u);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\n\n");
    EXPECT_EQ(text.find('\r'), std::string_view::npos) << "line feeds only";
    EXPECT_NE(text.substr(0, 3), "\xEF\xBB\xBF") << "no byte-order mark";
    EXPECT_GE(Utf16Length(std::string(text)), 0) << "valid UTF-8";
}

TEST(DefaultLanguageFile, HoldsTenSectionsInFileOrderWithTheirKeyCountsAndSettings)
{
    struct Expected {
        const char* name;
        std::size_t keys;
        const char* customized;
        const char* language;
    };
    const Expected expected[] = {
        {"GENERAL", 2, nullptr, nullptr},          {"INSTALLATION", 2, nullptr, nullptr},
        {"LANGUAGE_EN", 3, "1", "0x0409"},         {"LANGUAGE_ZH-CN", 3, "1", "0x0804"},
        {"LANGUAGE_ZH-TW", 3, "1", "0x0404"},      {"LANGUAGE_JP", 3, "1", "0x0411"},
        {"LANGUAGE_EN", 42, "0", "0x0409"},        {"LANGUAGE_ZH-TW", 38, "0", "0x0404"},
        {"LANGUAGE_ZH-CN", 38, "0", "0x0804"},     {"LANGUAGE_JP", 38, "0", "0x0411"},
    };
    const std::vector<Section> sections = Sections();
    ASSERT_EQ(sections.size(), std::size(expected));
    for (std::size_t i = 0; i < sections.size(); ++i) {
        SCOPED_TRACE("section " + std::to_string(i));
        EXPECT_EQ(sections[i].name, expected[i].name);
        EXPECT_EQ(sections[i].keyCount, expected[i].keys);
        if (expected[i].customized != nullptr) {
            ASSERT_GE(sections[i].keys.size(), 3u);
            EXPECT_EQ(sections[i].keys[0].name, "CUSTOMIZED_STRING");
            EXPECT_EQ(sections[i].keys[0].value, expected[i].customized);
            EXPECT_EQ(sections[i].keys[1].name, "LANG_ID_IDENTIFIER");
            EXPECT_EQ(sections[i].keys[1].value, expected[i].language);
        }
    }
    EXPECT_EQ(sections[0].Value("LanguageIdentifier"), "") << "the language is chosen automatically";
    EXPECT_EQ(sections[0].Value("LanguageSupportsList"), "0x0409, 0x0404, 0x0804, 0x0411");
    EXPECT_EQ(sections[1].Value("SilenceMode"), "1");
    EXPECT_EQ(sections[1].Value("RebootAfterInstallation"), "0");
}

TEST(DefaultLanguageFile, PadsEveryKeyToFortyCharactersSoThatEqualsIsTheFortyFirst)
{
    std::size_t keyLines = 0;
    std::istringstream file{std::string(FileText())};
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#' || line[0] == '[') {
            continue;
        }
        ++keyLines;
        SCOPED_TRACE(line);
        ASSERT_GT(line.size(), 40u);
        EXPECT_EQ(line[40], '=');
        const std::string key = line.substr(0, 40);
        const std::size_t blanks = 40 - (key.find_last_not_of(' ') + 1);
        EXPECT_EQ(key.find(' '), 40 - blanks) << "the key itself holds no blank";
        // Only the one key of 39 characters gets away with a single blank.
        if (key.starts_with("OSSWITCHER_IDS_SWITCH_FEATURE_NOT_READY")) {
            EXPECT_EQ(blanks, 1u);
        } else {
            EXPECT_GE(blanks, 2u);
        }
        EXPECT_NE(line[41], ' ') << "the value follows the = directly";
        EXPECT_NE(line.back(), ' ') << "no trailing blank would survive as part of the value";
        // A "#" or ";" would end the value early; a line is at most 2047 bytes.
        EXPECT_EQ(line.find_first_of("#;", 41), std::string::npos);
        EXPECT_LT(line.size(), 2048u);
    }
    EXPECT_EQ(keyLines, 2u + 2u + 4u * 3u + 42u + 3u * 38u);

}

TEST(DefaultLanguageFile, BaseSectionsHoldTheCatalogKeysInCatalogOrder)
{
    const std::vector<Section> sections = Sections();
    ASSERT_EQ(sections.size(), 10u);
    const std::vector<std::string> catalog = CatalogKeys();

    std::vector<std::string> english = catalog;
    const std::vector<std::string> repeated = {"CFGTOOL_IDS_INSTALL_WITH_LEGACY", "CFGTOOL_IDS_ENABLE_WITH_LEGACY",
                                               "CFGTOOL_IDS_SWITCH_WITH_LEGACY", "CFGTOOL_IDS_ERR_INVALID_PARAM"};
    english.insert(english.begin() + 9, repeated.begin(), repeated.end());
    EXPECT_EQ(KeyNames(sections[6], 2), english);
    for (std::size_t i = 7; i < 10; ++i) {
        EXPECT_EQ(KeyNames(sections[i], 2), catalog) << sections[i].name;
    }
    for (std::size_t i = 2; i < 6; ++i) {
        EXPECT_EQ(sections[i].keys[2].name, "OSSWITCHER_IDS_SWITCH_CONTINUE") << sections[i].name;
    }
}

TEST(DefaultLanguageFile, EnglishTextsAreStoredExactly)
{
    const std::vector<Section> sections = Sections();
    ASSERT_EQ(sections.size(), 10u);
    const Section& base = sections[6];
    // A few texts that a careless copy gets wrong: the doubled blank, the
    // long legacy text, an error text with its number, the last key.
    EXPECT_EQ(base.Value("OSSWITCHER_IDS_SWITCH_REBOOT"), "A reboot is required  to complete the process.");
    EXPECT_EQ(base.Value("WIXCA_IDS_REBOOT"), "A reboot is required to complete the process.");
    EXPECT_EQ(base.Value("OSSWITCHER_IDS_SWITCH_WITH_LEGACY"),
              "OS switch cannot work when BIOS Legacy Support is enabled. To fix the problem, please restart the "
              "system and press f10 to enter BIOS setup menu prior OS booting then go to System Configuration page "
              "and disable Legacy Support.");
    EXPECT_EQ(base.Value("CFGTOOL_IDS_ERR_ACCESS_PARTITION"), "Android Partition can't be parted [Err=%d].");
    EXPECT_EQ(base.Value("OSSWITCHER_IDS_SWITCH_FEATURE_NOT_READY"),
              "Pivra is not ready, maybe you need to reboot this platform.");
    EXPECT_EQ(base.Value("BTN_TEXT_TRY"), "Try");
    EXPECT_EQ(base.Value("WIXCA_IDS_CONTINUE"), "Do you want to continue?");
    // The repeated group carries the same texts as the later occurrences.
    std::map<std::string, std::string> first;
    std::size_t repeated = 0;
    for (const Key& key : base.keys) {
        const auto [seen, inserted] = first.emplace(key.name, key.value);
        if (!inserted) {
            ++repeated;
            EXPECT_EQ(key.value, seen->second) << key.name;
        }
    }
    EXPECT_EQ(repeated, 4u);
    EXPECT_EQ(sections[2].Value("OSSWITCHER_IDS_SWITCH_CONTINUE"), "Going to switch to android OS.");
}

TEST(DefaultLanguageFile, TranslationsKeepTheFormAndTheEnglishWhereJapaneseDoes)
{
    const std::vector<Section> sections = Sections();
    ASSERT_EQ(sections.size(), 10u);
    const Section& english = sections[6];
    struct Translation {
        std::size_t base;
        std::size_t customized;
        bool keepsEnglishForTools;   // Japanese: Yes, No, CFGTOOL_ and WIXCA_ stay English
    };
    const Translation translations[] = {{7, 4, false}, {8, 3, false}, {9, 5, true}};
    std::vector<std::string> seenTexts;
    for (const Translation& t : translations) {
        const Section& base = sections[t.base];
        SCOPED_TRACE(base.name);
        for (const std::string& key : CatalogKeys()) {
            const std::string value = base.Value(key);
            const std::string original = english.Value(key);
            SCOPED_TRACE(key);
            const long units = Utf16Length(value);
            EXPECT_GT(units, 0);
            EXPECT_LE(units, 1023);
            // The sibling tool fills the "%d" of its texts with an error number.
            EXPECT_EQ(Count(value, "%d"), Count(original, "%d"));
            EXPECT_EQ(Count(value, "%"), Count(original, "%"));
            const bool keepsEnglish = key == "BTN_TEXT_OK" ||
                                      (t.keepsEnglishForTools &&
                                       (key == "BTN_TEXT_YES" || key == "BTN_TEXT_NO" ||
                                        key.starts_with("CFGTOOL_IDS_") || key.starts_with("WIXCA_IDS_")));
            if (keepsEnglish) {
                EXPECT_EQ(value, original);
            } else {
                EXPECT_FALSE(IsAscii(value)) << value;
            }
        }
        const std::string customized = sections[t.customized].Value("OSSWITCHER_IDS_SWITCH_CONTINUE");
        EXPECT_FALSE(IsAscii(customized));
        EXPECT_NE(customized.find("Android"), std::string::npos) << customized;
        EXPECT_NE(customized, base.Value("OSSWITCHER_IDS_SWITCH_CONTINUE"));
        seenTexts.push_back(customized);
        seenTexts.push_back(base.Value("OSSWITCHER_IDS_SWITCH_CONTINUE"));
    }
    // Each language has its own texts, not a copy of another's.
    std::sort(seenTexts.begin(), seenTexts.end());
    EXPECT_EQ(std::adjacent_find(seenTexts.begin(), seenTexts.end()), seenTexts.end());
}

}  // namespace
