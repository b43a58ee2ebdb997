#pragma once

#include <string_view>

namespace balvix {

// The numeric value of the number a text starts with, "." being the decimal
// point. Leading blanks, tabs, carriage returns and line feeds are skipped;
// then come an optional sign, digits with at most one decimal point and an
// optional exponent (E, e, D or d, an optional sign, digits). "&H" reads a
// hexadecimal number, "&B" a binary one, "&O", "&Q" or "&" and a digit an
// octal one (letters in either case). Reading stops at the first character
// that does not fit: "1,5" is 1 and "12abc" is 12. A text without digits is 0.
// A number too large for a double is infinite.
double numericValue(std::string_view text);

} // namespace balvix
