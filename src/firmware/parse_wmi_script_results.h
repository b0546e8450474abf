#pragma once
// The reply text, KEY=VALUE fields separated by ";", into the results table.
#include <string_view>

#include "firmware/wmi_script_results.h"

// Parses text into table field by field. When moreFollows (the message goes
// on beyond this text) a last field without its ";" is not taken: the part
// of text to carry into the next pass is handed back. A field without "=" or
// with an empty key ends the parse. Returns a view into text; empty when
// nothing is to be carried.
[[nodiscard]] std::wstring_view ParseWmiScriptResults(WmiScriptResults& table, std::wstring_view text,
                                                      bool moreFollows);
