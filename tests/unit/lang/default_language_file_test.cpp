// The shape and the texts of the built-in language file.
#include "lang/default_language_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/records.h"
#include "baselib/ini_parser_setup.h"
#include "baselib/ini_parser_table.h"
#include "loader_rig.h"

namespace {

struct Key {
    std::string rawName;   // as the reader stores it, blanks before "=" included
    std::string name;      // without the trailing blanks
    std::string value;
    std::uint32_t nameSize;
    std::uint32_t valueSize;
};

struct Section {
    std::string name;
    std::uint32_t keyCount;   // as the reader counts them
    std::vector<Key> keys;

    [[nodiscard]] const Key* Find(std::string_view wanted) const
    {
        for (const Key& key : keys) {
            if (key.name == wanted) {
                return &key;
            }
        }
        return nullptr;
    }
    [[nodiscard]] std::string Value(std::string_view wanted) const
    {
        const Key* key = Find(wanted);
        return key != nullptr ? key->value : "<missing " + std::string(wanted) + ">";
    }
};

std::string_view FileText()
{
    return {DefaultLanguageFileText(), DefaultLanguageFileSize()};
}

std::vector<std::string> Lines()
{
    std::vector<std::string> lines;
    const std::string_view text = FileText();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
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
        const IniSection* section = reader.IniParser_FindSectionByIndex(context, index);
        if (section == nullptr) {
            ADD_FAILURE() << "no section " << index;
            break;
        }
        Section copy{section->Name, reader.IniParser_GetKeyCount(context, index), {}};
        for (std::uint32_t k = 0; k < copy.keyCount; ++k) {
            const IniKey* key = reader.IniParser_FindKeyByIndex(context, index, k);
            if (key == nullptr) {
                ADD_FAILURE() << "no key " << k << " in section " << index;
                break;
            }
            const std::string raw = key->Name;
            copy.keys.push_back({raw, raw.substr(0, raw.find_last_not_of(' ') + 1), key->Value, key->NameSize,
                                 key->ValueSize});
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
    const Utf8ToWideFn convert = TestUtf8ToWide();
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

const std::string kLegacyFix =
    " To fix the problem, please restart the system and press f10 to enter BIOS setup menu prior OS booting then go "
    "to System Configuration page and disable Legacy Support.";

// The English base texts, in catalog order, exactly as the program shows them.
const std::map<std::string, std::string> kEnglish = {
    {"BTN_TEXT_OK", "OK"},
    {"BTN_TEXT_YES", "Yes"},
    {"BTN_TEXT_NO", "No"},
    {"BTN_TEXT_CANCEL", "Cancel"},
    {"BTN_TEXT_ABORT", "Abort"},
    {"BTN_TEXT_RETRY", "Retry"},
    {"BTN_TEXT_IGNORE", "Ignore"},
    {"BTN_TEXT_TRY", "Try"},
    {"BTN_TEXT_CONTINUE", "Continue"},
    {"CFGTOOL_IDS_APP_TITLE", "Pivra Config Utility"},
    {"CFGTOOL_IDS_ABOUTBOX", "&About Pivra Config Utility..."},
    {"CFGTOOL_IDS_INSTALL_WITH_LEGACY", "Orvex cannot be installed when BIOS Legacy Support is enabled." + kLegacyFix},
    {"CFGTOOL_IDS_ENABLE_WITH_LEGACY", "Orvex cannot be enabled when BIOS Legacy Support is enabled." + kLegacyFix},
    {"CFGTOOL_IDS_SWITCH_WITH_LEGACY", "OS switch cannot work when BIOS Legacy Support is enabled." + kLegacyFix},
    {"CFGTOOL_IDS_ERR_INVALID_PARAM", "Failed to launch OrvexInstaller.exe [Err=%d]."},
    {"CFGTOOL_IDS_ERR_ACCESS_WMI", "Failed to send WMI commands [Err=%d]."},
    {"CFGTOOL_IDS_ERR_LEGACY_ENABLED", "Failed to install Orvex when BIOS Legacy Support is enabled [Err=%d]."},
    {"CFGTOOL_IDS_ERR_ACCESS_SERVICE", "Failed to send Windows Services commands [Err=%d]."},
    {"CFGTOOL_IDS_ERR_ACCESS_PARTITION", "Android Partition can't be parted [Err=%d]."},
    {"CFGTOOL_IDS_ERR_SHRINK_PARTITION", "Windows Partition can't be shrunk [Err=%d]."},
    {"CFGTOOL_IDS_ERR_EXTEND_PARTITION", "Windows Partition can't be extended [Err=%d]."},
    {"CFGTOOL_IDS_ERR_COPY_DELETE_FILE", "Failed to do Copy/Delete operations on files [Err=%d]."},
    {"CFGTOOL_IDS_ERR_UNZIP_ANDROID_IMG", "Failed to unzip Android Image [Err=%d]."},
    {"CFGTOOL_IDS_ERR_ACCESS_WIN_REG", "Failed to access Windows Registry [Err=%d]."},
    {"CFGTOOL_IDS_ERR_ANDROID_NOT_FOUND", "Android System is not found [Err=%d]."},
    {"CFGTOOL_IDS_ERR_GENERAL", "General Error [Err=%d]."},
    {"CFGTOOL_IDS_SWITCH_ENABLE", "Orvex feature was disabled currently, do you want to enable it?"},
    {"CFGTOOL_IDS_SWITCH_DISABLE", "Orvex feature was enabled currently, do you want to disable it?"},
    {"OSSWITCHER_IDS_APP_TITLE", "Pivra Config Utility"},
    {"OSSWITCHER_IDS_SWITCH_JUMP_LIST", "Launch Pivra Config Utility"},
    {"OSSWITCHER_IDS_SWITCH_WITH_LEGACY", "OS switch cannot work when BIOS Legacy Support is enabled." + kLegacyFix},
    {"OSSWITCHER_IDS_SWITCH_REBOOT", "A reboot is required  to complete the process."},
    {"OSSWITCHER_IDS_SWITCH_CONTINUE", "Going to switch to another OS."},
    {"OSSWITCHER_IDS_SWITCH_FEATURE_NOT_READY", "Pivra is not ready, maybe you need to reboot this platform."},
    {"WIXCA_IDS_REBOOT", "A reboot is required to complete the process."},
    {"WIXCA_IDS_CONTINUE", "Do you want to continue?"},
};

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

TEST(DefaultLanguageFile, HoldsTenSectionsInFileOrderWithTheirKeyCounts)
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
}

TEST(DefaultLanguageFile, PadsEveryKeyToFortyCharactersSoThatEqualsIsTheFortyFirst)
{
    std::size_t keyLines = 0;
    for (const std::string& line : Lines()) {
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

    // The reader keeps the blanks: every key name it stores has 40 characters.
    for (const Section& section : Sections()) {
        for (const Key& key : section.keys) {
            EXPECT_EQ(key.rawName.size(), 40u) << section.name << " " << key.rawName;
            EXPECT_EQ(key.nameSize, 41u) << section.name << " " << key.rawName;
            EXPECT_EQ(key.valueSize, key.value.empty() ? 0u : key.value.size() + 1) << key.rawName;
        }
    }
}

TEST(DefaultLanguageFile, GeneralOffersFourLanguagesAndChoosesAutomatically)
{
    const std::vector<Section> sections = Sections();
    ASSERT_EQ(sections.size(), 10u);
    const Section& general = sections[0];
    ASSERT_NE(general.Find("LanguageIdentifier"), nullptr);
    EXPECT_EQ(general.Find("LanguageIdentifier")->value, "");
    EXPECT_EQ(general.Find("LanguageIdentifier")->valueSize, 0u);
    EXPECT_EQ(general.Value("LanguageSupportsList"), "0x0409, 0x0404, 0x0804, 0x0411");
    const Section& installation = sections[1];
    EXPECT_EQ(installation.Value("SilenceMode"), "1");
    EXPECT_EQ(installation.Value("RebootAfterInstallation"), "0");

    const std::vector<std::string> lines = Lines();
    const auto header = std::find(lines.begin(), lines.end(), "[GENERAL]");
    ASSERT_NE(header, lines.end());
    const std::vector<std::string> comments = {"#0x0404=Chinese-ZH", "#0x0804=Chinese-CN", "#0x0409=English-USA",
                                               "#0x0411=Japanese", "#0x0412=Korean"};
    EXPECT_EQ(std::vector<std::string>(header + 1, header + 6), comments);
}

TEST(DefaultLanguageFile, BaseSectionsHoldTheCatalogKeysInCatalogOrderUnderTheirGroups)
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

    // Each group of a base section opens with its comment line.
    const std::vector<std::string> lines = Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "#Buttons"), 4);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "#ConfigTool"), 4);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "#OrvexSwitcher"), 4);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "#OrvexWixCA"), 4);
    const std::pair<const char*, const char*> groups[] = {{"#Buttons", "BTN_TEXT_OK"},
                                                          {"#ConfigTool", "CFGTOOL_IDS_APP_TITLE"},
                                                          {"#OrvexSwitcher", "OSSWITCHER_IDS_APP_TITLE"},
                                                          {"#OrvexWixCA", "WIXCA_IDS_REBOOT"}};
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        for (const auto& [comment, firstKey] : groups) {
            if (lines[i] == comment) {
                EXPECT_TRUE(lines[i + 1].starts_with(std::string(firstKey) + " ")) << comment << " is followed by "
                                                                                   << lines[i + 1];
            }
        }
    }
}

TEST(DefaultLanguageFile, EnglishTextsAreStoredExactly)
{
    const std::vector<Section> sections = Sections();
    ASSERT_EQ(sections.size(), 10u);
    const Section& base = sections[6];
    for (const auto& [key, text] : kEnglish) {
        EXPECT_EQ(base.Value(key), text) << key;
    }
    // The repeated group carries the same texts as the later occurrences.
    std::map<std::string, std::size_t> seen;
    for (const Key& key : base.keys) {
        if (++seen[key.name] == 2) {
            EXPECT_EQ(key.value, kEnglish.at(key.name)) << key.name;
        }
    }
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
            ASSERT_NE(base.Find(key), nullptr);
            EXPECT_FALSE(value.empty());
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
