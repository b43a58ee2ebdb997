#include "input/date_text.h"

#include "input/numeric_value.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace balvix {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// The numeric value of a piece of text, cut to a whole number that fits an
// int (a value too large for one is held at the nearest end).
int wholeValue(std::string_view piece) {
  double value = std::trunc(numericValue(piece));
  if (std::isnan(value)) {
    return 0;
  }
  value = std::clamp(value, static_cast<double>(std::numeric_limits<int>::min()),
                     static_cast<double>(std::numeric_limits<int>::max()));
  return static_cast<int>(value);
}

// The piece of `count` characters from `from`, shorter or empty near the end.
std::string_view piece(std::string_view text, std::size_t from, std::size_t count) {
  return from < text.size() ? text.substr(from, count) : std::string_view{};
}

// True when the text is dd/mm/aaaa in form: 10 characters, "/" as the 3rd
// and 6th and nowhere else, the other eight decimal digits.
bool hasDateShape(std::string_view text) {
  return text.size() == 10 && std::count(text.begin(), text.end(), '/') == 2 && text[2] == '/' &&
         text[5] == '/' && std::count_if(text.begin(), text.end(), isDigit) == 8;
}

// The numbers of a text of that shape, read straight from its digits: what
// datePartsOf gives for it, without the general reading of a number.
DateParts partsOfShapedDate(std::string_view text) {
  auto digit = [text](std::size_t i) { return text[i] - '0'; };
  return {digit(0) * 10 + digit(1), digit(3) * 10 + digit(4),
          ((digit(6) * 10 + digit(7)) * 10 + digit(8)) * 10 + digit(9)};
}

bool inDateRanges(const DateParts& date) {
  return date.day > 0 && date.day <= 31 && date.month > 0 && date.month <= 12 && date.year > 0;
}

} // namespace

bool isValidDateText(std::string_view text) {
  return hasDateShape(text) && inDateRanges(partsOfShapedDate(text));
}

DateParts datePartsOf(std::string_view text) {
  std::size_t yearFrom = text.size() > 4 ? text.size() - 4 : 0;
  return DateParts{wholeValue(piece(text, 0, 2)), wholeValue(piece(text, 3, 2)),
                   wholeValue(text.substr(yearFrom))};
}

std::optional<DateParts> realDateOf(std::string_view text) {
  if (!hasDateShape(text)) {
    return std::nullopt;
  }
  DateParts date = partsOfShapedDate(text);
  return inDateRanges(date) && isRealDay(date) ? std::optional<DateParts>(date) : std::nullopt;
}

} // namespace balvix
