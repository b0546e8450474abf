#pragma once
// The language file that the program carries inside itself. Its source is
// default_language_file.ini beside this header; the build turns it into a
// byte array, so the text here is that file byte for byte.
#include <cstddef>

// The whole file as UTF-8 text, followed in memory by a NUL byte.
[[nodiscard]] const char* DefaultLanguageFileText() noexcept;

// Its length in bytes, without the NUL.
[[nodiscard]] std::size_t DefaultLanguageFileSize() noexcept;
