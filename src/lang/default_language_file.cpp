#include "lang/default_language_file.h"

namespace {

// The list of bytes is written by the build from default_language_file.ini.
constexpr unsigned char kDefaultLanguageFile[] = {
#include "default_language_file.inc"
    0x00,
};

}  // namespace

const char* DefaultLanguageFileText() noexcept
{
    return reinterpret_cast<const char*>(kDefaultLanguageFile);
}

std::size_t DefaultLanguageFileSize() noexcept
{
    return sizeof kDefaultLanguageFile - 1;
}
