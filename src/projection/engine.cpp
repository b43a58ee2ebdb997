#include "projection/engine.h"

#include "projection/due_days.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace balvix {

namespace {

// The movements that fall due on a date (the one-off and periodic ones),
// each queued for its next due day. The days close ahead of the walk have a
// list each, in a ring, so that queuing a movement and taking a day's
// movements cost the same however many are queued; later days wait in a heap
// until the walk comes near them.
class DueQueue {
public:
  explicit DueQueue(std::int64_t firstDay) : current_(firstDay) {}

  // Queues a movement for `day`, which is not before the day last taken.
  void push(std::int64_t day, std::size_t movement) {
    if (day - current_ < window) {
      ring_[slot(day)].push_back(movement);
    } else {
      far_.push_back({day, movement});
      std::push_heap(far_.begin(), far_.end(), later);
    }
  }

  // The movements due on `day`, in file order, into `due`. The days taken
  // follow one another.
  void take(std::int64_t day, std::vector<std::size_t>& due) {
    current_ = day;
    while (!far_.empty() && far_.front().day - current_ < window) {
      ring_[slot(far_.front().day)].push_back(far_.front().movement);
      std::pop_heap(far_.begin(), far_.end(), later);
      far_.pop_back();
    }
    due.clear();
    std::swap(due, ring_[slot(day)]);
    std::sort(due.begin(), due.end());
  }

private:
  static constexpr std::int64_t window = 1024;
  static std::size_t slot(std::int64_t day) {
    return static_cast<std::size_t>((day % window + window) % window);
  }
  struct Due {
    std::int64_t day;
    std::size_t movement;
  };
  static bool later(const Due& a, const Due& b) { return a.day > b.day; }

  std::int64_t current_;
  std::array<std::vector<std::size_t>, window> ring_;
  std::vector<Due> far_;
};

// One walk over the days from `firstDay` to `lastDay`: which movement falls
// due when and the running balance, told to the consumers as it happens.
class DayWalk {
public:
  DayWalk(WalkEvents& events, const MovementList& movements, double openingBalance,
          std::int64_t firstDay, std::int64_t lastDay)
      : events_(events), lastDay_(lastDay), queue_(firstDay), walked_(movements.size()),
        balance_(openingBalance) {
    for (std::size_t i = 0; i < walked_.size(); ++i) {
      const Entry& entry = *movements[i];
      Walked& walked = walked_[i];
      walked.amount = entry.amount;
      walked.adds = entry.action == Action::add;
      walked.periodic = entry.moment == Moment::periodic;
      if (walked.periodic) {
        walked.schedule = entry.schedule;
      }
      std::int64_t due = neverAgain;
      switch (entry.moment) {
      case Moment::once:
        if (isRealDay(entry.date)) {
          due = dayNumber(entry.date);
        }
        break;
      case Moment::periodic:
        walked.occurrence = firstPeriodicOccurrenceFrom(walked.schedule, firstDay);
        due = periodicDueDay(walked.schedule, walked.occurrence);
        walked.start = periodicDueDay(walked.schedule, 0);
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
        queue_.push(due, i);
      }
    }
  }

  double balance() const { return balance_; }
  // True once a movement would have left a balance that is no number.
  bool overflowed() const { return overflowed_; }

  // Tells the day and every movement due that day, in file order: the
  // monthly ones of this day of the month merged with those queued for it.
  void walk(std::int64_t day) {
    const DateParts today = dateOfDayNumber(day);
    events_.day(today);
    const std::vector<std::size_t>& ofMonthDay = monthly_[static_cast<std::size_t>(today.day)];
    queue_.take(day, queued_);
    const std::vector<std::size_t>* due = &ofMonthDay;
    if (!queued_.empty()) {
      due = &queued_;
      if (!ofMonthDay.empty()) {
        due_.clear();
        std::merge(ofMonthDay.begin(), ofMonthDay.end(), queued_.begin(), queued_.end(),
                   std::back_inserter(due_));
        due = &due_;
      }
    }
    for (std::size_t i : *due) {
      apply(i, day);
      if (overflowed_) {
        return;
      }
    }
  }

private:
  // What the walk needs of a movement, kept together so that applying one
  // touches one place: a day's movements are scattered over the whole file.
  struct Walked {
    double amount = 0;
    bool adds = false;           // "poner"
    bool periodic = false;       // "periodo"
    std::int64_t occurrence = 0; // the number of its next date, from 0
    std::int64_t start = 0;      // its activation day
    EntrySchedule schedule;
  };

  // Applies the movement to the balance and tells it. A periodic one is
  // activated on its first date; then it waits for its next date.
  void apply(std::size_t i, std::int64_t day) {
    Walked& walked = walked_[i];
    const double before = balance_;
    const double after = walked.adds ? walked.amount + balance_ : balance_ - walked.amount;
    if (!std::isfinite(after)) {
      overflowed_ = true;
      events_.overflow(i);
      return;
    }
    if (walked.periodic && walked.occurrence == 0) {
      events_.activation(i);
    }
    balance_ = after;
    events_.movement(i, before, balance_);
    if (walked.periodic) {
      // Only a movement with a real activation date is ever due.
      std::int64_t next = laterDueDay(walked.schedule, walked.start, ++walked.occurrence);
      if (next > day && next <= lastDay_) {
        queue_.push(next, i);
      }
    }
  }

  WalkEvents& events_;
  std::int64_t lastDay_;
  DueQueue queue_;
  std::vector<std::size_t> queued_;                  // the movements queued for the day walked
  std::vector<std::size_t> due_;                     // all movements due that day, in file order
  std::array<std::vector<std::size_t>, 32> monthly_; // by day of the month
  std::vector<Walked> walked_;                       // by movement
  double balance_;
  bool overflowed_ = false;
};

} // namespace

double walkDays(WalkEvents& events, const MovementList& movements, double openingBalance,
                const DateParts& first, const DateParts& last,
                const std::optional<ExactAmount>& target) {
  const std::int64_t firstDay = dayNumber(first);
  const std::int64_t lastDay = dayNumber(last);
  DayWalk walk(events, movements, openingBalance, firstDay, lastDay);
  for (std::int64_t day = firstDay;; ++day) {
    walk.walk(day);
    if (day >= lastDay || walk.overflowed() || (target && reachesAmount(walk.balance(), *target)) ||
        events.seenEnough()) {
      events.closing(walk.balance());
      return walk.balance();
    }
  }
}

} // namespace balvix
