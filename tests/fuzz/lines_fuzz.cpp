// Fuzz target: the line reader and the numeric value of a text, on arbitrary
// bytes. Checks what the two promise, not how they do it.

#include "input/lines.h"
#include "input/numeric_value.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
  }
}

// The lines cover the text up to its first byte 26, in order, each followed by
// its line end: a carriage return and a line feed, a carriage return alone or
// a line feed alone. No line holds either byte.
void checkLines(std::string_view text) {
  std::string_view read = text.substr(0, text.find('\x1A'));
  // A byte-order mark at the very start is no part of the text.
  if (read.starts_with("\xEF\xBB\xBF")) {
    read.remove_prefix(3);
  }
  const auto lines = balvix::splitLines(text);
  std::size_t at = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    require(line.data() == read.data() + at, "a line starts where the previous line end stops");
    require(line.find_first_of("\r\n") == std::string_view::npos,
            "no carriage return or line feed inside a line");
    require(line.find('\x1A') == std::string_view::npos, "nothing after a byte 26 is read");
    at += line.size();
    if (at < read.size()) {
      require(read[at] == '\r' || read[at] == '\n', "a line ends at a line end or the end");
      at += read.substr(at, 2) == "\r\n" ? 2 : 1;
    } else {
      require(i + 1 == lines.size(), "only the last line ends at the end of the text");
    }
  }
  require(at == read.size(), "the lines cover the whole text");
}

bool isPlainDecimal(std::string_view text) {
  bool digit = false;
  int points = 0;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == '.') {
      ++points;
    } else {
      return false;
    }
  }
  return digit && points <= 1;
}

bool same(double a, double b) {
  return a == b || (std::isnan(a) && std::isnan(b));
}

void checkNumericValue(std::string_view text) {
  const double value = balvix::numericValue(text);
  require(!std::isnan(value), "a numeric value is never NaN");

  // Leading blanks are skipped; a "|" never belongs to a number.
  require(same(balvix::numericValue(" \t\r\n" + std::string(text)), value),
          "leading blanks, tabs and line ends are skipped");
  require(same(balvix::numericValue(std::string(text) + "|"), value),
          "reading stops at a character that does not fit");

  // The characters the number took hold all of it.
  const balvix::NumericPrefix number = balvix::numericPrefix(text);
  require(same(number.value, value) && number.length <= text.size(),
          "the prefix has the value, within the text");
  require(same(balvix::numericValue(text.substr(0, number.length)), value),
          "the characters taken give the whole value");
  require(number.length > 0 || value == 0, "a text that starts with no number is 0");
  require(balvix::isPlainDecimal(text) == isPlainDecimal(text),
          "digits with at most one point and a digit are a plain decimal");

  std::string_view trimmed = text.substr(0, std::min<std::size_t>(text.size(), 60));
  if (isPlainDecimal(trimmed)) {
    // Digits with one point read as the nearest double, like the C library.
    std::string copy(trimmed);
    double expected = std::strtod(copy.c_str(), nullptr);
    require(balvix::numericValue(copy) == expected, "a plain decimal reads as strtod reads it");
    require(balvix::numericValue("-" + copy) == -expected, "a minus sign negates");
    require(balvix::numericValue("+" + copy) == expected, "a plus sign keeps the value");
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  checkLines(text);
  checkNumericValue(text);
  // Every piece of a line is a field somewhere: read each one as a number too.
  for (std::string_view line : balvix::splitLines(text)) {
    for (std::size_t start = 0; start <= line.size();) {
      std::size_t bar = line.find('|', start);
      std::string_view field =
          line.substr(start, bar == std::string_view::npos ? bar : bar - start);
      require(!std::isnan(balvix::numericValue(field)), "a field's value is never NaN");
      if (bar == std::string_view::npos) {
        break;
      }
      start = bar + 1;
    }
  }
  return 0;
}
