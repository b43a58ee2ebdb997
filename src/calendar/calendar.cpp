#include "calendar/calendar.h"

#include <array>
#include <charconv>

namespace balvix {

int daysInFebruary(int year) {
  bool leap = year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
  return leap ? 29 : 28;
}

int daysInMonth(int year, int month) {
  static constexpr std::array<int, 12> lengths = {31, 0, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) {
    return 0;
  }
  return month == 2 ? daysInFebruary(year) : lengths[static_cast<std::size_t>(month - 1)];
}

bool isRealDay(const DateParts& date) {
  return date.day > 0 && date.day <= daysInMonth(date.year, date.month);
}

// Days counted in eras of 400 years (146097 days), with March as the first
// month so that the leap day closes the counted year. Day 0 is 01/03/0000.
std::int64_t dayNumber(const DateParts& date) {
  std::int64_t year = date.month <= 2 ? std::int64_t{date.year} - 1 : date.year;
  std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  std::int64_t yearOfEra = year - era * 400;
  std::int64_t shiftedMonth = date.month > 2 ? date.month - 3 : date.month + 9;
  std::int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + date.day - 1;
  std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra;
}

DateParts dateOfDayNumber(std::int64_t number) {
  std::int64_t era = (number >= 0 ? number : number - 146096) / 146097;
  std::int64_t dayOfEra = number - era * 146097;
  std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  return DateParts{day, month, year};
}

DateParts addDays(const DateParts& date, std::int64_t n) {
  return dateOfDayNumber(dayNumber(date) + n);
}

std::string_view weekdayName(int year, int month, int day) {
  static constexpr std::array<std::string_view, 7> names = {
      "Domingo", "Lunes", "Martes", "Mi\xE9rcoles", "Jueves", "Viernes", "Sabado"};
  // Gauss's rule with March as the first month of the year.
  int m = month - 2;
  int y = year;
  if (m <= 0) {
    m += 12;
    y -= 1;
  }
  int k = y % 100;
  int j = y / 100;
  int w = (26 * m - 2) / 10 + day + k + k / 4 + j / 4 - 2 * j;
  w %= 7;
  if (w < 0) {
    w += 7;
  }
  return names[static_cast<std::size_t>(w)];
}

namespace {

// The number in decimal digits, padded on the left with zeros to `width`.
void appendZeroPadded(std::string& text, int number, std::size_t width) {
  if (number < 0) {
    text += '-';
  }
  std::array<char, 16> digits{};
  auto magnitude = static_cast<unsigned>(number < 0 ? -static_cast<long long>(number) : number);
  char* end = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude).ptr;
  auto count = static_cast<std::size_t>(end - digits.data());
  if (count < width) {
    text.append(width - count, '0');
  }
  text.append(digits.data(), count);
}

} // namespace

void appendDate(std::string& text, const DateParts& date) {
  if (date.day >= 0 && date.day < 100 && date.month >= 0 && date.month < 100 && date.year >= 0 &&
      date.year < 10000) {
    // The walked days: every field fills its width exactly.
    const auto digit = [](int n) { return static_cast<char>('0' + n % 10); };
    const std::array<char, 10> chars = {
        digit(date.day / 10),    digit(date.day),        '/',
        digit(date.month / 10),  digit(date.month),      '/',
        digit(date.year / 1000), digit(date.year / 100), digit(date.year / 10),
        digit(date.year)};
    text.append(chars.data(), chars.size());
    return;
  }
  appendZeroPadded(text, date.day, 2);
  text += '/';
  appendZeroPadded(text, date.month, 2);
  text += '/';
  appendZeroPadded(text, date.year, 4);
}

std::string dateText(const DateParts& date) {
  std::string text;
  appendDate(text, date);
  return text;
}

std::string isoDate(const DateParts& date) {
  std::string text;
  appendIsoDate(text, date);
  return text;
}

void appendIsoDate(std::string& out, const DateParts& date) {
  appendZeroPadded(out, date.year, 4);
  out += '-';
  appendZeroPadded(out, date.month, 2);
  out += '-';
  appendZeroPadded(out, date.day, 2);
}

std::string yearText(int year) {
  std::string text;
  appendZeroPadded(text, year, 4);
  return text;
}

std::string dayOfMonthText(const DateParts& date) {
  std::string text;
  appendZeroPadded(text, date.day, 2);
  return text;
}

std::string dayMonthText(const DateParts& date) {
  std::string text;
  appendZeroPadded(text, date.day, 2);
  text += '/';
  appendZeroPadded(text, date.month, 2);
  return text;
}

std::string isoMonth(int year, int month) {
  std::string text;
  appendZeroPadded(text, year, 4);
  text += '-';
  appendZeroPadded(text, month, 2);
  return text;
}

} // namespace balvix
