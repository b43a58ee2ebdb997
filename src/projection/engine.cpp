#include "projection/engine.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>
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

namespace {

// The movements that fall due on a date (the one-off and periodic ones),
// earliest first and, on one day, in file order: a heap of (day, movement)
// with each movement's next due day, so that a day costs only the movements
// due on it.
class DueQueue {
public:
  void add(std::int64_t day, std::size_t movement) { heap_.push_back({day, movement}); }
  // Orders what add() collected; called once, before the walk.
  void start() { std::make_heap(heap_.begin(), heap_.end(), later); }
  void push(std::int64_t day, std::size_t movement) {
    heap_.push_back({day, movement});
    std::push_heap(heap_.begin(), heap_.end(), later);
  }
  // The next movement due on `day`, or none.
  std::optional<std::size_t> nextOn(std::int64_t day) const {
    if (heap_.empty() || heap_.front().day != day) {
      return std::nullopt;
    }
    return heap_.front().movement;
  }
  void pop() {
    std::pop_heap(heap_.begin(), heap_.end(), later);
    heap_.pop_back();
  }

private:
  struct Due {
    std::int64_t day;
    std::size_t movement;
  };
  static bool later(const Due& a, const Due& b) {
    return a.day != b.day ? a.day > b.day : a.movement > b.movement;
  }
  std::vector<Due> heap_;
};

// One walk over the days from `firstDay` to `lastDay`: which movement falls
// due when and the running balance, told to the consumers as it happens.
class DayWalk {
public:
  DayWalk(WalkEvents& events, const EntriesRead& movements, double openingBalance,
          std::int64_t firstDay, std::int64_t lastDay)
      : events_(events), entries_(movements.entries), schedules_(movements.schedules),
        lastDay_(lastDay), occurrence_(entries_.size(), 0), balance_(openingBalance) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      const Entry& entry = entries_[i];
      std::int64_t due = neverAgain;
      switch (entry.moment) {
      case Moment::once:
        if (isRealDay(entry.date)) {
          due = dayNumber(entry.date);
        }
        break;
      case Moment::periodic:
        occurrence_[i] = firstPeriodicOccurrenceFrom(scheduleOf(i), firstDay);
        due = periodicDueDay(scheduleOf(i), occurrence_[i]);
        break;
      case Moment::monthly:
        if (entry.monthDay > 0 && static_cast<std::size_t>(entry.monthDay) < monthly_.size()) {
          monthly_[static_cast<std::size_t>(entry.monthDay)].push_back(i);
        }
        break;
      case Moment::none:
        break;
      }
      if (due >= firstDay && due <= lastDay) {
        queue_.add(due, i);
      }
    }
    queue_.start();
  }

  double balance() const { return balance_; }

  // Tells the day and every movement due that day, in file order: the
  // monthly ones of this day of the month merged with those queued for it.
  void walk(std::int64_t day) {
    const DateParts today = dateOfDayNumber(day);
    events_.day(today);
    const std::vector<std::size_t>& ofMonthDay = monthly_[static_cast<std::size_t>(today.day)];
    auto nextMonthly = ofMonthDay.begin();
    for (;;) {
      std::optional<std::size_t> queued = queue_.nextOn(day);
      if (nextMonthly != ofMonthDay.end() && (!queued || *nextMonthly < *queued)) {
        apply(*nextMonthly++);
        continue;
      }
      if (!queued) {
        return;
      }
      queue_.pop();
      if (entries_[*queued].moment == Moment::periodic) {
        applyPeriodic(*queued, day);
      } else {
        apply(*queued);
      }
    }
  }

private:
  const EntrySchedule& scheduleOf(std::size_t i) const {
    static const EntrySchedule noSchedule;
    return i < schedules_.size() ? schedules_[i] : noSchedule;
  }

  void apply(std::size_t i) {
    const Entry& entry = entries_[i];
    double after = entry.action == Action::add ? entry.amount + balance_ : balance_ - entry.amount;
    events_.movement(i, balance_, after);
    balance_ = after;
  }

  // On its activation day a periodic movement is announced first; then it
  // waits for its next date.
  void applyPeriodic(std::size_t i, std::int64_t day) {
    if (occurrence_[i] == 0) {
      events_.activation(i);
    }
    apply(i);
    std::int64_t next = periodicDueDay(scheduleOf(i), ++occurrence_[i]);
    if (next > day && next <= lastDay_) {
      queue_.push(next, i);
    }
  }

  WalkEvents& events_;
  const std::vector<Entry>& entries_;
  const std::vector<EntrySchedule>& schedules_;
  std::int64_t lastDay_;
  DueQueue queue_;
  std::array<std::vector<std::size_t>, 32> monthly_; // by day of the month
  std::vector<std::int64_t> occurrence_;             // of a periodic movement's next date
  double balance_;
};

} // namespace

double walkDays(WalkEvents& events, const EntriesRead& movements, double openingBalance,
                const DateParts& first, const DateParts& last,
                const std::optional<ExactAmount>& target) {
  const std::int64_t firstDay = dayNumber(first);
  const std::int64_t lastDay = dayNumber(last);
  DayWalk walk(events, movements, openingBalance, firstDay, lastDay);
  for (std::int64_t day = firstDay;; ++day) {
    walk.walk(day);
    if (day >= lastDay || (target && reachesAmount(walk.balance(), *target))) {
      events.closing(walk.balance());
      return walk.balance();
    }
  }
}

} // namespace balvix
