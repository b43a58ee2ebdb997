#include "input/date_text.h"

#include "text/cp1252.h"

#include <algorithm>

namespace balvix {

std::optional<DateParts> realDateOf(std::string_view text) {
  // dd/mm/aaaa: 10 characters, "/" as the 3rd and 6th and nowhere else, the
  // other eight decimal digits.
  if (text.size() != 10 || std::count(text.begin(), text.end(), '/') != 2 || text[2] != '/' ||
      text[5] != '/' || std::count_if(text.begin(), text.end(), isDigit) != 8) {
    return std::nullopt;
  }
  auto digit = [text](std::size_t i) { return text[i] - '0'; };
  const DateParts date{digit(0) * 10 + digit(1), digit(3) * 10 + digit(4),
                       ((digit(6) * 10 + digit(7)) * 10 + digit(8)) * 10 + digit(9)};
  return date.year > 0 && isRealDay(date) ? std::optional<DateParts>(date) : std::nullopt;
}

} // namespace balvix
