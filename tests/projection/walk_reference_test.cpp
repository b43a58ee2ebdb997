#include "projection/engine.h"
#include "report/report.h"

#include "projection/walk_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

namespace balvix::testing {
namespace {

// The due rules as the README states them, tested on the date itself.
bool dueOn(const Entry& e, const EntrySchedule& s, const DateParts& today) {
  if (e.moment != Moment::periodic) {
    return e.moment == Moment::once ? e.date == today : e.monthDay == today.day;
  }
  std::int64_t since = dayNumber(today) - dayNumber(s.anchor);
  if (since <= 0 || s.interval <= 0) {
    return since == 0;
  }
  bool anchorDay = today.day == std::min(s.anchor.day, daysInMonth(today.year, today.month));
  std::int64_t months = (today.year - s.anchor.year) * 12 + today.month - s.anchor.month;
  switch (s.unit) {
  case Unit::days:
  case Unit::weeks:
    return since % s.interval == 0;
  case Unit::months:
    return anchorDay && months % s.interval == 0;
  case Unit::years:
    return anchorDay && months % 12 == 0 && months / 12 % s.interval == 0;
  case Unit::none:
    break;
  }
  return false;
}

// The cents of an amount as the report writes it ("-1.234'50").
std::int64_t centsOf(const std::string& text) {
  std::int64_t cents = 0;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      cents = cents * 10 + (c - '0');
    }
  }
  return text.front() == '-' ? -cents : cents;
}

std::string textOf(const DateParts& d) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", d.day % 100, d.month % 100, d.year % 10000);
  return text;
}

// " moment when", the end of the activation and the movement line.
std::string timingOf(const Entry& e) {
  std::string text = " ";
  text += wordOf(e.moment);
  text += ' ';
  text += e.when;
  return text;
}

// Every movement tested on every day, in file order; the target in cents.
Lines referenceWalk(const EntriesRead& m, double balance, std::int64_t first, std::int64_t last,
                    std::optional<std::int64_t> target) {
  Lines lines;
  for (std::int64_t day = first;; ++day) {
    DateParts today = dateOfDayNumber(day);
    lines.push_back(std::string(weekdayName(today.year, today.month, today.day)) + " " +
                    textOf(today));
    for (std::size_t i = 0; i < m.entries.size(); ++i) {
      const Entry& e = m.entries[i];
      if (!dueOn(e, e.schedule, today)) {
        continue;
      }
      if (e.moment == Moment::periodic && e.schedule.anchor == today) {
        lines.push_back("ACTIVACI\xD3N !! " + e.comment + " " + std::string(wordOf(e.action)) +
                        " " + formatMoney(e.amount) + timingOf(e));
      }
      double after = e.action == Action::add ? balance + e.amount : balance - e.amount;
      lines.push_back(e.comment + " " + formatMoney(balance) + " " + std::string(wordOf(e.action)) +
                      " " + formatMoney(e.amount) + " = " + formatMoney(after) + timingOf(e));
      lines.emplace_back();
      balance = after;
    }
    if (day == last || (target && centsOf(formatMoney(balance)) >= *target)) {
      lines.insert(lines.end(), {"", "", "Saldo total = " + formatMoney(balance)});
      return lines;
    }
  }
}

// Random periods (years 1 to 9999, leap days, month ends), schedules of every
// unit anchored before, inside and after them, counts of 0, 12, 13 and beyond
// the calendar, impossible dates, amounts with fractions of a cent, targets.
TEST(Walk, SameReportAsTestingEveryMovementOnEveryDay) {
  std::mt19937_64 random(2027);
  auto below = [&random](std::int64_t n) {
    return static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(n));
  };
  const int startYears[] = {1, 1600, 1900, 2000, 2023, 2024, 2100, 9995};
  for (int round = 0; round < 300; ++round) {
    std::int64_t first = dayNumber({1, 1, startYears[below(8)]}) + below(1500);
    std::int64_t last =
        std::min(first + 1 + below(below(4) == 0 ? 3000 : 400), dayNumber(lastCalendarDay));
    // A day near the period, now and then a month end or one that does not exist.
    auto nearby = [&](int spread) {
      std::int64_t day = first - spread + below(last - first + 2 * spread);
      DateParts d =
          dateOfDayNumber(std::clamp(day, dayNumber({1, 1, 1}), dayNumber(lastCalendarDay)));
      int end = daysInMonth(d.year, d.month);
      d.day = below(3) == 0
                  ? std::min(end + static_cast<int>(below(2)), 31) - static_cast<int>(below(3))
                  : d.day;
      return d;
    };
    EntriesRead m;
    const std::int64_t count = 1 + below(below(5) == 0 ? 120 : 25);
    for (std::int64_t i = 0; i < count; ++i) {
      std::string comment = "M";
      comment += std::to_string(i);
      double amount = static_cast<double>(1 + below(200000)) / (below(4) == 0 ? 800 : 100);
      std::string action = below(2) == 0 ? "poner" : "quitar";
      switch (below(4)) {
      case 0:
        add(m, comment, amount, action, "concreta", textOf(nearby(40)));
        break;
      case 1:
        add(m, comment, amount, action, "mensualidad", std::to_string(below(29)));
        break;
      default: {
        DateParts anchor = nearby(below(2) == 0 ? 3000 : 30);
        if (!isRealDay(anchor)) {
          anchor.day = daysInMonth(anchor.year, anchor.month);
        }
        const Unit units[] = {Unit::years, Unit::months, Unit::weeks, Unit::days};
        Unit unit = units[below(4)];
        const std::int64_t counts[] = {0, 1, 2, 3, 12, 13, 24, 100000, neverAgain};
        std::int64_t n = below(2) == 0 ? counts[below(9)] : 1 + below(40);
        std::int64_t interval = unit == Unit::weeks && n != neverAgain ? n * 7 : n;
        add(m, comment, amount, action, "periodo", "1x", textOf(anchor), unit, interval);
      }
      }
    }
    double opening = static_cast<double>(below(100000)) / 100;
    std::optional<std::int64_t> target;
    std::optional<ExactAmount> exactTarget;
    if (below(3) == 0) {
      target = std::max<std::int64_t>(0, std::llround(opening * 100) + below(400000) - 200000);
      std::string text =
          std::to_string(*target / 100) + "." + std::to_string(100 + *target % 100).substr(1);
      exactTarget = classifyArgument(text).target;
    }
    FakePlatform platform;
    RunFile report(platform, "informe.txt");
    ReportWriter writer(report, m.entries, opening);
    walkDays(writer, movementListOf(m.entries), opening, dateOfDayNumber(first),
             dateOfDayNumber(last), exactTarget);
    report.close();
    const Lines lines = linesOf(platform.fileBytes("informe.txt").value_or(""));
    Lines expected = referenceWalk(m, opening, first, last, target);
    ASSERT_EQ(lines.size(), expected.size()) << "round " << round;
    for (std::size_t l = 0; l < expected.size(); ++l) {
      ASSERT_EQ(lines[l], expected[l]) << "round " << round << " line " << l;
    }
  }
}

} // namespace
} // namespace balvix::testing
