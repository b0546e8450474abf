#pragma once
// The plain output under the formatted-output services and the log: fixed
// text, standard output and appending to a file. Nothing here logs, so the
// log can write through it.
#include <cstdarg>
#include <cstddef>
#include <cstdint>

#include "baselib/base_lib_table.h"

// The fixed buffers of BaseLib_PrintMsg, BaseLib_FilePrint and BaseLib_Log,
// and the room every formatted text needs beyond its characters: a text of
// more than 1020 characters does not fit and is dropped whole.
inline constexpr std::size_t kFixedTextBufferSize = 1024;
inline constexpr std::size_t kTextReserve = 4;

// Formats into a fixed 1024-byte buffer. A format or a result of more than
// 1020 characters leaves the buffer empty. Returns the length put in.
std::size_t FormatFixedText(char (&buffer)[kFixedTextBufferSize], const char* format, va_list args) noexcept;

// Writes bytes to standard output and flushes them, so that the lines keep
// their order with whatever else the process writes there.
void WriteToStdout(const char* text, std::size_t length) noexcept;

// Appends the text without its NUL; 1 when every byte was written. A file
// service of the table like those in base_lib_file.h, kept here since it
// logs nothing.
std::uint32_t BaseLib_FileAppendStr(BaseLibContext* pContext, const char* fileName, const char* text) noexcept;
