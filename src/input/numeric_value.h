#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace balvix {

// The number a text starts with: its value, and how many characters of the
// text it took, leading blanks included (0 when the text starts with no
// number). "1.850.50" is 1.85 taking 5 characters, " 10EUR" is 10 taking 3;
// an exponent letter without digits after it is not taken ("10E" takes 2).
struct NumericPrefix {
  double value = 0;
  std::size_t length = 0;
};

// The numeric value of the number a text starts with, "." being the decimal
// point. Leading blanks, tabs, carriage returns and line feeds are skipped;
// then come an optional sign, digits with at most one decimal point and an
// optional exponent (E, e, D or d, an optional sign, digits). "&H" reads a
// hexadecimal number, "&B" a binary one, "&O", "&Q" or "&" and a digit an
// octal one (letters in either case). Reading stops at the first character
// that does not fit: "1,5" is 1 and "12abc" is 12. A text without digits is 0.
// A number too large for a double is infinite. The reading is the same in
// any locale the C library is set to.
double numericValue(std::string_view text);

// numericValue's reading of the text, with the characters it took.
NumericPrefix numericPrefix(std::string_view text);

// numericValue of a text that holds one number: nothing when a digit follows
// the number read ("15,5", "5,20", "1 15", "10/15", "2-3", "12abc3"), or when
// the text holds digits but starts with no number ("x5"). Other text after the
// number is allowed: "15abc" is 15, "1e3" 1000, "&H7F" 127.
std::optional<double> soleNumericValue(std::string_view text);

// Digits with at most one decimal point and at least one digit, nothing else:
// "0", "1500.75", ".5" and "5." are; "", ".", "-5", " 5", "1e3" are not.
bool isPlainDecimal(std::string_view text);

} // namespace balvix
