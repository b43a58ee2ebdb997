#include "projection/due_days.h"

#include <algorithm>
#include <cstdint>

namespace balvix {

namespace {

std::int64_t monthIndex(const DateParts& date) {
  return std::int64_t{date.year} * 12 + (date.month - 1);
}

// The day `anchorDay` of the month `index` (months counted as by monthIndex),
// or the month's last day when it is shorter.
std::int64_t clampedDay(std::int64_t index, int anchorDay) {
  int year = static_cast<int>(index / 12);
  int month = static_cast<int>(index % 12) + 1;
  int day = std::min(anchorDay, daysInMonth(year, month));
  return dayNumber(DateParts{day, month, year});
}

} // namespace

namespace {

// The day number of lastCalendarDay.
const std::int64_t horizon = dayNumber(lastCalendarDay);

} // namespace

// periodicDueDay for k of 1 or more, of a schedule whose activation date is
// the real day numbered `start`, on or before the horizon.
std::int64_t laterDueDay(const EntrySchedule& schedule, std::int64_t start, std::int64_t k) {
  const std::int64_t interval = schedule.interval;
  if (interval <= 0 || interval > neverAgain / k) {
    return neverAgain;
  }
  const DateParts& anchor = schedule.anchor;
  const std::int64_t steps = k * interval;
  switch (schedule.unit) {
  case Unit::days:
  case Unit::weeks:
    return steps <= horizon - start ? start + steps : neverAgain;
  case Unit::months: {
    std::int64_t from = monthIndex(anchor);
    if (steps > monthIndex(lastCalendarDay) - from) {
      return neverAgain;
    }
    return clampedDay(from + steps, anchor.day);
  }
  case Unit::years: {
    if (steps > lastCalendarDay.year - anchor.year) {
      return neverAgain;
    }
    return clampedDay(monthIndex(anchor) + steps * 12, anchor.day);
  }
  case Unit::none:
    break;
  }
  return neverAgain;
}

std::int64_t periodicDueDay(const EntrySchedule& schedule, std::int64_t k) {
  const DateParts& anchor = schedule.anchor;
  if (k < 0 || !isRealDay(anchor) || anchor.year < 1) {
    return neverAgain;
  }
  const std::int64_t start = dayNumber(anchor);
  if (start > horizon) {
    return neverAgain;
  }
  return k == 0 ? start : laterDueDay(schedule, start, k);
}

std::int64_t firstPeriodicOccurrenceFrom(const EntrySchedule& schedule, std::int64_t day) {
  std::int64_t start = periodicDueDay(schedule, 0);
  if (start == neverAgain || day <= start) {
    return 0;
  }
  const std::int64_t interval = schedule.interval;
  if (interval <= 0) {
    return 1;
  }
  // An estimate that is never past the wanted date, then a step or two.
  std::int64_t k = 1;
  switch (schedule.unit) {
  case Unit::days:
  case Unit::weeks:
    k = (day - start) / interval;
    break;
  case Unit::months:
    k = (monthIndex(dateOfDayNumber(day)) - monthIndex(schedule.anchor)) / interval;
    break;
  case Unit::years:
    k = (std::int64_t{dateOfDayNumber(day).year} - schedule.anchor.year) / interval;
    break;
  case Unit::none:
    break;
  }
  k = std::max<std::int64_t>(k, 1);
  for (;;) {
    std::int64_t due = periodicDueDay(schedule, k);
    if (due == neverAgain || due >= day) {
      return k;
    }
    ++k;
  }
}

} // namespace balvix
