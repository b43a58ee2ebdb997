#pragma once

#include <string>
#include <string_view>

namespace balvix {

// Windows-1252 text as UTF-16, the encoding of the system's names and
// messages, and back; a character without a Windows-1252 byte becomes "?"
// (no look-alike substitution).
std::wstring utf16From1252(std::string_view text);
std::string cp1252FromUtf16(std::wstring_view text);

} // namespace balvix
