#include "input/numeric_value.h"

#include "text/cp1252.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace balvix {

namespace {

// The value of a digit in bases up to 16, or -1.
int digitValue(char c) {
  if (isDigit(c)) {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

// The number after a leading "&": "H" hexadecimal, "B" binary, "O" or "Q"
// octal, a digit octal with that digit the first of the number. Its length
// counts from the letter (or first digit) on.
NumericPrefix radixValue(std::string_view rest) {
  if (rest.empty()) {
    return {};
  }
  int base = 0;
  std::size_t pos = 1;
  switch (rest.front()) {
  case 'H':
  case 'h':
    base = 16;
    break;
  case 'B':
  case 'b':
    base = 2;
    break;
  case 'O':
  case 'o':
  case 'Q':
  case 'q':
    base = 8;
    break;
  default:
    if (!isDigit(rest.front())) {
      return {};
    }
    base = 8;
    pos = 0;
  }
  const std::size_t firstDigit = pos;
  // Every base is a power of two, so the steps stay exact up to 2^53 and the
  // value turns infinite when it outgrows a double.
  double value = 0;
  for (; pos < rest.size(); ++pos) {
    int digit = digitValue(rest[pos]);
    if (digit < 0 || digit >= base) {
      break;
    }
    value = value * base + digit;
  }
  return pos == firstDigit ? NumericPrefix{} : NumericPrefix{value, pos};
}

// 10^0 to 10^22, every power of ten a double holds exactly.
constexpr std::array<double, 23> exactPowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Adds n to a decimal scale without leaving a range far beyond any double.
std::int64_t shifted(std::int64_t scale, std::int64_t n) {
  constexpr std::int64_t limit = std::int64_t{1} << 50;
  std::int64_t sum = scale + n;
  return sum > limit ? limit : (sum < -limit ? -limit : sum);
}

// Where a number ends that has an exponent at `i`, its power of ten added to
// `scale`. An exponent letter counts only when digits follow it (after a
// sign); otherwise the number ends at `i`.
std::size_t exponentEnd(std::string_view s, std::size_t i, std::int64_t& scale) {
  if (i >= s.size() || (s[i] != 'E' && s[i] != 'e' && s[i] != 'D' && s[i] != 'd')) {
    return i;
  }
  std::size_t j = i + 1;
  bool negativeExponent = false;
  if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
    negativeExponent = s[j] == '-';
    ++j;
  }
  // Beyond a billion the exponent is past every double either way.
  constexpr std::int64_t exponentCap = 1'000'000'000;
  std::int64_t exponent = 0;
  const std::size_t exponentDigits = j;
  for (; j < s.size() && isDigit(s[j]); ++j) {
    if (exponent < exponentCap) {
      exponent = exponent * 10 + (s[j] - '0');
    }
  }
  scale = shifted(scale, negativeExponent ? -exponent : exponent);
  return j > exponentDigits ? j : i;
}

// The double nearest to the decimal digits (no leading zero, at least one)
// times 10^scale.
double nearestDouble(const std::string& digits, std::int64_t scale) {
  // The power of ten of the leading digit decides overflow and underflow.
  const std::int64_t magnitude = scale + static_cast<std::int64_t>(digits.size());
  if (digits.size() <= 15 && scale >= -22 && scale <= 22) {
    // Up to 15 digits and a power of ten up to 10^22 are exact doubles, so
    // one multiplication or division gives the nearest double, as the
    // general conversion below does (the usual amounts: "1850.50").
    std::uint64_t whole = 0;
    for (char c : digits) {
      whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
    }
    const double power = exactPowersOfTen[static_cast<std::size_t>(scale < 0 ? -scale : scale)];
    return scale < 0 ? static_cast<double>(whole) / power : static_cast<double>(whole) * power;
  }
  if (magnitude > 400) {
    return std::numeric_limits<double>::infinity();
  }
  if (magnitude <= -400) {
    return 0;
  }
  // strtod rounds to the nearest double in every C library we build with
  // (glibc, mingw-w64's, musl, wasi-libc, macOS's), gives infinity past the
  // largest double and 0 below the smallest. The text is only digits, "e"
  // and the exponent, so no decimal point of a locale plays a part, and
  // nothing strtod takes beyond plain numbers (hexadecimal, "inf", "nan",
  // blanks) can reach it.
  const std::string normal = digits + "e" + std::to_string(scale);
  return std::strtod(normal.c_str(), nullptr);
}

// A sign, digits with at most one decimal point and an exponent. The digits
// are collected as an integer and a power of ten and converted in one step,
// so the result is the double nearest to the written number.
NumericPrefix decimalValue(std::string_view s) {
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }

  std::string digits; // without leading zeros
  std::int64_t scale = 0;
  bool anyDigit = false;
  auto takeDigits = [&](bool fraction) {
    for (; i < s.size() && isDigit(s[i]); ++i) {
      anyDigit = true;
      if (!(digits.empty() && s[i] == '0')) {
        digits += s[i];
      }
      if (fraction) {
        scale = shifted(scale, -1);
      }
    }
  };
  takeDigits(false);
  if (i < s.size() && s[i] == '.') {
    ++i;
    takeDigits(true);
  }
  if (!anyDigit) {
    return {};
  }

  i = exponentEnd(s, i, scale);

  if (digits.empty()) {
    return {0, i};
  }
  const double value = nearestDouble(digits, scale);
  return {negative ? -value : value, i};
}

} // namespace

NumericPrefix numericPrefix(std::string_view text) {
  std::size_t blanks = 0;
  while (blanks < text.size() && (text[blanks] == ' ' || text[blanks] == '\t' ||
                                  text[blanks] == '\r' || text[blanks] == '\n')) {
    ++blanks;
  }
  text.remove_prefix(blanks);
  // The "&" of a radix number is one character more.
  const bool radix = !text.empty() && text.front() == '&';
  NumericPrefix number = radix ? radixValue(text.substr(1)) : decimalValue(text);
  if (number.length > 0) {
    number.length += blanks + (radix ? 1 : 0);
  }
  return number;
}

double numericValue(std::string_view text) {
  return numericPrefix(text).value;
}

std::optional<double> soleNumericValue(std::string_view text) {
  NumericPrefix number = numericPrefix(text);
  std::string_view rest = text.substr(number.length);
  if (std::any_of(rest.begin(), rest.end(), isDigit)) {
    return std::nullopt;
  }
  return number.value;
}

bool isPlainDecimal(std::string_view text) {
  return std::any_of(text.begin(), text.end(), isDigit) &&
         std::all_of(text.begin(), text.end(), [](char c) { return isDigit(c) || c == '.'; }) &&
         std::count(text.begin(), text.end(), '.') <= 1;
}

} // namespace balvix
