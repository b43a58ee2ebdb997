#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>

namespace balvix {

// A day of the Gregorian calendar, the rule of leap years applied to every
// year alike (there is no cut-over date).
struct DateParts {
  int day = 0;
  int month = 0;
  int year = 0;

  friend bool operator==(const DateParts&, const DateParts&) = default;

  // Calendar order: an earlier day is the smaller (year first, then month,
  // then day).
  friend std::strong_ordering operator<=>(const DateParts& a, const DateParts& b) {
    return std::tie(a.year, a.month, a.day) <=> std::tie(b.year, b.month, b.day);
  }
};

// 29 in a leap year (divisible by 400, or by 4 and not by 100), else 28.
int daysInFebruary(int year);

// Number of days of that month, or 0 when the month is not 1 to 12.
int daysInMonth(int year, int month);

// True when the day exists: month 1 to 12, day 1 to the length of that month.
// The year itself is not limited.
bool isRealDay(const DateParts& date);

// A serial number of the day: consecutive days have consecutive numbers, so
// the difference of two numbers is the number of days between them. Defined
// for every real day; 01/01/0001 and 31/12/9999 are within range with ample
// room on both sides.
std::int64_t dayNumber(const DateParts& date);

// The day of a serial number given by dayNumber.
DateParts dateOfDayNumber(std::int64_t number);

// The date n days later (n > 0) or |n| days earlier (n < 0), across month and
// year ends and leap days.
DateParts addDays(const DateParts& date, std::int64_t n);

// Appends the date as dd/mm/aaaa ("09/07/0050"): the day and the month with
// two digits, the year with four, zeros in front.
void appendDate(std::string& text, const DateParts& date);

// The same as a text of its own.
std::string dateText(const DateParts& date);

// The date as aaaa-mm-dd ("0050-07-09"), the form of dates in data for other
// programs.
std::string isoDate(const DateParts& date);
void appendIsoDate(std::string& out, const DateParts& date);

// Pieces of a date written as the dates above write them: the year with four
// digits ("0050"), the day of the month with two ("09"), the day and month
// as dd/mm ("09/07"), and the month as aaaa-mm ("0050-07").
std::string yearText(int year);
std::string dayOfMonthText(const DateParts& date);
std::string dayMonthText(const DateParts& date);
std::string isoMonth(int year, int month);

// The Spanish name of the weekday, as Windows-1252 bytes: "Domingo", "Lunes",
// "Martes", "Miércoles", "Jueves", "Viernes" or "Sabado" (without accent).
// Right for every real day from 01/01/0001 to 31/12/9999.
std::string_view weekdayName(int year, int month, int day);

} // namespace balvix
