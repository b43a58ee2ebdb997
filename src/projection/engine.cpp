#include "projection/engine.h"

#include <algorithm>
#include <charconv>
#include <system_error>
#include <vector>

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

// Where one walk stands with one movement: the day number of its next due
// date and, for a periodic movement, which of its dates that is.
struct Pending {
  std::int64_t nextDue = neverAgain;
  std::int64_t occurrence = 0;
};

Pending pendingAtStart(const Entry& entry, const EntrySchedule& schedule, std::int64_t first) {
  Pending pending;
  switch (entry.momentKind) {
  case Moment::once:
    if (isRealDay(entry.date)) {
      pending.nextDue = dayNumber(entry.date);
    }
    break;
  case Moment::periodic:
    pending.occurrence = firstPeriodicOccurrenceFrom(schedule, first);
    pending.nextDue = periodicDueDay(schedule, pending.occurrence);
    break;
  case Moment::monthly:
  case Moment::none:
    break;
  }
  return pending;
}

} // namespace

std::int64_t periodicDueDay(const EntrySchedule& schedule, std::int64_t k) {
  const DateParts& anchor = schedule.anchor;
  if (k < 0 || !isRealDay(anchor) || anchor.year < 1) {
    return neverAgain;
  }
  const std::int64_t start = dayNumber(anchor);
  const std::int64_t horizon = dayNumber(lastCalendarDay);
  if (start > horizon) {
    return neverAgain;
  }
  if (k == 0) {
    return start;
  }
  const std::int64_t interval = schedule.interval;
  if (interval <= 0 || interval > neverAgain / k) {
    return neverAgain;
  }
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

double targetAmountOf(std::string_view text) {
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  (void)end;
  return ec == std::errc{} ? value : 0;
}

double walkDays(Report& report, const EntriesRead& movements, double openingBalance,
                const DateParts& first, const DateParts& last, std::optional<double> target) {
  const std::vector<Entry>& entries = movements.entries;
  const std::int64_t firstDay = dayNumber(first);
  const std::int64_t lastDay = dayNumber(last);
  const EntrySchedule noSchedule;

  auto scheduleOf = [&](std::size_t i) -> const EntrySchedule& {
    return i < movements.schedules.size() ? movements.schedules[i] : noSchedule;
  };
  std::vector<Pending> pending;
  pending.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    pending.push_back(pendingAtStart(entries[i], scheduleOf(i), firstDay));
  }

  report.reset();
  double balance = openingBalance;
  auto apply = [&](const Entry& entry) {
    double before = balance;
    double after = entry.actionKind == Action::add ? entry.amount + before : before - entry.amount;
    report.appendLine(movementLine(entry, before, after));
    report.appendLine("");
    balance = after;
  };

  for (std::int64_t day = firstDay;; ++day) {
    const DateParts today = dateOfDayNumber(day);
    report.appendLine(dayLine(today));
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const Entry& entry = entries[i];
      Pending& due = pending[i];
      switch (entry.momentKind) {
      case Moment::once:
        if (due.nextDue == day) {
          apply(entry);
        }
        break;
      case Moment::monthly:
        if (entry.monthDay == today.day) {
          apply(entry);
        }
        break;
      case Moment::periodic:
        if (due.nextDue == day) {
          if (due.occurrence == 0) {
            report.appendLine(activationLine(entry));
          }
          apply(entry);
          ++due.occurrence;
          due.nextDue = periodicDueDay(scheduleOf(i), due.occurrence);
        }
        break;
      case Moment::none:
        break;
      }
    }
    if (day >= lastDay) {
      break;
    }
    if (target && !(*target > balance)) {
      break;
    }
  }
  return balance;
}

} // namespace balvix
