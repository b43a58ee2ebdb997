#include "calendar/calendar.h"

#include <gtest/gtest.h>

namespace balvix {
namespace {

std::string show(const DateParts& d) {
  return std::to_string(d.day) + "/" + std::to_string(d.month) + "/" + std::to_string(d.year);
}

TEST(AddDays, LongStepsAndLeapDays) {
  struct Case {
    DateParts from;
    std::int64_t n;
    DateParts to;
  } cases[] = {
      {{1, 1, 2014}, -1, {31, 12, 2013}},   {{1, 1, 2014}, 365, {1, 1, 2015}},
      {{1, 3, 2016}, -1, {29, 2, 2016}},    {{28, 2, 2100}, 1, {1, 3, 2100}},
      {{28, 2, 1600}, 1, {29, 2, 1600}},    {{1, 1, 1601}, -1, {31, 12, 1600}},
      {{1, 1, 1}, 3652058, {31, 12, 9999}}, {{31, 12, 9999}, -3652058, {1, 1, 1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(show(addDays(c.from, c.n)), show(c.to)) << show(c.from) << " + " << c.n;
  }
}

TEST(DateOrder, YearThenMonthThenDay) {
  struct Case {
    DateParts a;
    DateParts b;
    bool before;
  };
  const Case cases[] = {
      {{31, 12, 2012}, {1, 1, 2013}, true},  {{1, 1, 2013}, {31, 12, 2012}, false},
      {{15, 3, 2013}, {1, 4, 2013}, true},   {{1, 4, 2013}, {15, 3, 2013}, false},
      {{15, 3, 2013}, {15, 3, 2013}, false}, {{14, 3, 2013}, {15, 3, 2013}, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.a < c.b, c.before) << show(c.a) << " vs " << show(c.b);
  }
}

TEST(WeekdayName, KnownDays) {
  struct Case {
    DateParts date;
    std::string_view name;
  } cases[] = {
      {{1, 1, 2014}, "Mi\xE9rcoles"}, {{4, 1, 2014}, "Sabado"}, {{5, 1, 2014}, "Domingo"},
      {{1, 1, 1601}, "Lunes"},        {{1, 1, 1}, "Lunes"},     {{31, 12, 9999}, "Viernes"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(weekdayName(c.date.year, c.date.month, c.date.day), c.name) << show(c.date);
  }
}

// Two digits for the day and the month, four for the year, wider numbers
// whole and a sign before negative ones.
TEST(DateText, FieldsZeroPadded) {
  struct Case {
    DateParts date;
    std::string_view text;
  } cases[] = {
      {{1, 1, 1}, "01/01/0001"},       {{31, 12, 9999}, "31/12/9999"}, {{9, 10, 987}, "09/10/0987"},
      {{29, 2, 2024}, "29/02/2024"},   {{1, 1, 10000}, "01/01/10000"}, {{5, 3, -5}, "05/03/-0005"},
      {{100, 7, 2000}, "100/07/2000"}, {{0, 0, 0}, "00/00/0000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(dateText(c.date), c.text) << show(c.date);
  }
}

// Every day from 01/01/0001 to 31/12/9999, counted by hand from the month
// lengths: serial numbers follow each other and convert back, one step of
// addDays reaches the next day, and the weekday names cycle from a Monday.
TEST(DayNumber, EveryDayFromYearOne) {
  static constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  static constexpr std::string_view week[] = {"Lunes",   "Martes", "Mi\xE9rcoles", "Jueves",
                                              "Viernes", "Sabado", "Domingo"};
  DateParts date{1, 1, 1};
  const std::int64_t first = dayNumber(date);
  int faults = 0;
  for (std::int64_t count = 0; date.year <= 9999 && faults < 5; ++count) {
    bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
    DateParts next = date;
    if (++next.day > (next.month == 2 && leap ? 29 : lengths[next.month - 1])) {
      next.day = 1;
      if (++next.month > 12) {
        next = {1, 1, next.year + 1};
      }
    }
    if (dayNumber(date) != first + count || !(dateOfDayNumber(first + count) == date) ||
        weekdayName(date.year, date.month, date.day) != week[count % 7] ||
        !(addDays(date, 1) == next) || !isRealDay(date) || !(addDays(next, -1) == date)) {
      ADD_FAILURE() << "wrong on " << show(date);
      ++faults;
    }
    date = next;
    if (date.year == 10000) {
      EXPECT_EQ(count, 3652058);
    }
  }
}

} // namespace
} // namespace balvix
