#pragma once

#include <string>
#include <string_view>

namespace balvix {

// The character a Windows-1252 byte stands for. The five bytes Windows-1252
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control
// characters of the same number.
char32_t characterOf1252(unsigned char byte);

// Appends the UTF-8 bytes of a character of the basic plane or beyond.
void appendUtf8(std::string& out, char32_t character);

// Windows-1252 text as UTF-8.
std::string utf8From1252(std::string_view text);

// UTF-8 text as Windows-1252; a character without a Windows-1252 byte, or a
// byte that is not valid UTF-8, becomes "?".
std::string cp1252FromUtf8(std::string_view text);

// The lower-case form of Windows-1252 text: A-Z and the accented capitals
// (À to Þ but ×, and Š, Œ, Ž, Ÿ) become their small letters; every other
// byte is kept.
std::string lowerCase1252(std::string_view text);

// The ending of the names of the program's text files: the report's, and
// those of a folder of scenarios.
inline constexpr std::string_view textFileEnding = ".txt";

// True when `name` ends in ".txt", in any letter case.
bool hasTextEnding(std::string_view name);

// True for the names a folder of text files offers the program: those that
// end in ".txt" and are not hidden, as a name that starts with "." is (also
// the "._coche.txt" other systems leave beside a file). The name ".txt"
// alone is offered, so that a file without a name is told, not ignored.
bool isOfferedTextFile(std::string_view name);

// `name` without its ".txt" ending, in any letter case ("informe.TXT" gives
// "informe", ".txt" an empty text); a name without the ending stays whole.
std::string_view withoutTextEnding(std::string_view name);

// True for the bytes of the ten decimal digits, "0" to "9".
constexpr bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

} // namespace balvix
