#include "model/room_figures.h"

#include "projection/cents.h"
#include "projection/engine.h"
#include "projection/scaled_amounts.h"
#include "projection/walk_events.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>

namespace balvix {

namespace {

// True when `balance` ends a day at or above `floor`, judged rounded to the
// cent; the rounding is worked out only near the floor.
bool atOrAbove(double balance, double floor) {
  if (balance >= floor + 0.01) {
    return true;
  }
  return balance >= floor - 0.01 && !(roundedToCent(balance) < floor);
}

// Follows a walk until a day ends below the floor, which ends it (any floor
// but -infinity); keeps its last day and balance, and whether a balance
// would have been beyond any number.
class FloorCheck : public WalkEvents {
public:
  FloorCheck(double opening, double floor) : floor_(floor), balance_(opening) {}

  void day(const DateParts& date) override { last_ = date; }
  void activation(std::size_t /*movement*/) override {}
  void movement(std::size_t /*movement*/, double /*before*/, double after) override {
    balance_ = after;
  }
  void overflow(std::size_t /*movement*/) override { overflowed_ = true; }
  void closing(double /*balance*/) override { seenEnough(); }
  bool seenEnough() const override {
    // Asked at the end of every day but the last, which closing ends.
    below_ = below_ || !atOrAbove(balance_, floor_);
    return below_;
  }

  bool below() const { return below_; }
  double balance() const { return balance_; }
  const DateParts& last() const { return last_; }
  bool overflowed() const { return overflowed_; }

private:
  double floor_;
  double balance_;
  DateParts last_;
  bool overflowed_ = false;
  mutable bool below_ = false;
};

// A first guess of a figure from one walk: for each day, its balance above
// the floor shared among what the figure multiplies on that day (the
// expenses so far, or the set-asides so far); the least share. Also counts
// the expenses applied.
class Headroom : public WalkEvents {
public:
  // `counted`: the movement whose applications are counted, or the
  // expenses' amounts summed when it is past the list.
  Headroom(const MovementList& movements, std::size_t counted, double opening, double floor)
      : movements_(movements), counted_(counted), floor_(floor), balance_(opening) {}

  void day(const DateParts& /*date*/) override { endDay(); }
  void activation(std::size_t /*movement*/) override {}
  void movement(std::size_t movement, double /*before*/, double after) override {
    balance_ = after;
    const bool expense = movements_[movement]->action == Action::remove;
    expenses_ += expense ? 1 : 0;
    if (movement == counted_) {
      ++shares_;
    } else if (counted_ >= movements_.size() && expense) {
      shares_ += movements_[movement]->amount;
    }
  }
  void overflow(std::size_t /*movement*/) override {}
  void closing(double /*balance*/) override { endDay(); }

  // The least share; below any number when a day ends below the floor with
  // nothing to share.
  double least() const { return least_; }
  std::int64_t expenses() const { return expenses_; }

private:
  void endDay() {
    if (shares_ > 0) {
      least_ = std::min(least_, (balance_ - floor_) / shares_);
    } else if (!atOrAbove(balance_, floor_)) {
      least_ = -std::numeric_limits<double>::infinity();
    }
  }

  const MovementList& movements_;
  std::size_t counted_;
  double floor_;
  double balance_;
  double shares_ = 0;
  double least_ = std::numeric_limits<double>::infinity();
  std::int64_t expenses_ = 0;
};

// The largest whole n in [low, high] with holds(n), for a `holds` true up
// to some n and false beyond; nothing when holds(low) is false. Tried first
// at `guess`, then in growing steps away from it until the answer is
// bracketed, then by halving, so that a good guess costs two walks.
std::optional<double> largestHolding(double low, double high, double guess,
                                     const std::function<bool(double)>& holds) {
  const double first = std::clamp(std::floor(guess), low, high);
  double holding = first;
  double failing = first;
  if (holds(first)) {
    for (double step = 1;; step *= 2) {
      if (holding >= high) {
        return holding;
      }
      failing = std::min(holding + step, high);
      if (!holds(failing)) {
        break;
      }
      holding = failing;
    }
  } else {
    for (double step = 1;; step *= 2) {
      if (failing <= low) {
        return std::nullopt;
      }
      holding = std::max(failing - step, low);
      if (holds(holding)) {
        break;
      }
      failing = holding;
    }
  }
  while (failing - holding > 1) {
    const double middle = std::floor(holding + (failing - holding) / 2);
    if (middle <= holding || middle >= failing) {
      break; // beyond the whole numbers a double holds
    }
    (holds(middle) ? holding : failing) = middle;
  }
  return holding;
}

} // namespace

std::optional<RoomStart> roomStartOf(const RoomLine& line, const RunSpan& span,
                                     const DateParts& today) {
  const std::int64_t first = dayNumber(line.first);
  const std::int64_t from = std::max(dayNumber(today), first);
  if (from > dayNumber(span.last)) {
    return std::nullopt;
  }
  if (from == first) {
    return RoomStart{line.first, line.opening};
  }
  FloorCheck before(line.opening, -std::numeric_limits<double>::infinity());
  walkDays(before, line.movements, line.opening, line.first, dateOfDayNumber(from - 1),
           span.target);
  if (before.overflowed() || dayNumber(before.last()) != from - 1 ||
      (span.target && reachesAmount(before.balance(), *span.target))) {
    return std::nullopt;
  }
  return RoomStart{dateOfDayNumber(from), before.balance()};
}

bool staysAtOrAbove(const MovementList& movements, const RoomStart& start, const RunSpan& span,
                    double floor) {
  FloorCheck check(start.balance, floor);
  walkDays(check, movements, start.balance, start.day, span.last, span.target);
  return !check.below();
}

ExpenseRoom expenseRoom(const RoomLine& line, const RoomStart& start, const RunSpan& span,
                        double floor) {
  // Expenses scaled by k = (100 + P) / 100 end a day k - 1 times their sum
  // lower: the guess, which the rounding of each amount may move by a unit.
  Headroom guess(line.movements, line.movements.size(), start.balance, floor);
  walkDays(guess, line.movements, start.balance, start.day, span.last, span.target);
  ScaledMovements scaled(line.movements);
  auto holds = [&](double percent) {
    scaled.scale(static_cast<int>(percent), std::nullopt);
    return staysAtOrAbove(scaled.list(), start, span, floor);
  };
  constexpr double limit = 1000;
  if (guess.expenses() == 0) {
    return holds(0) ? ExpenseRoom{ExpenseRoom::Kind::noExpenses, 0}
                    : ExpenseRoom{ExpenseRoom::Kind::notEvenWithout, -100};
  }
  const std::optional<double> percent =
      largestHolding(-100, limit + 1, std::min(guess.least() * 100, limit + 1), holds);
  if (!percent) {
    return {ExpenseRoom::Kind::notEvenWithout, -100};
  }
  if (*percent > limit) {
    return {ExpenseRoom::Kind::aboveLimit, static_cast<int>(*percent)};
  }
  return {ExpenseRoom::Kind::percent, static_cast<int>(*percent)};
}

std::optional<double> monthlyRoom(const RoomLine& line, const RoomStart& start, const RunSpan& span,
                                  double floor) {
  Entry setAside;
  setAside.action = Action::remove;
  setAside.moment = Moment::periodic;
  setAside.schedule = EntrySchedule{1, Unit::months, start.day};
  MovementList movements = line.movements;
  movements.push_back(&setAside);
  // A day ends X lower for each set-aside so far: the guess.
  Headroom guess(movements, line.movements.size(), start.balance, floor);
  walkDays(guess, movements, start.balance, start.day, span.last, span.target);
  auto holds = [&](double euros) {
    setAside.amount = euros;
    return staysAtOrAbove(movements, start, span, floor);
  };
  return largestHolding(0, std::numeric_limits<double>::max(), std::max(guess.least(), 0.0), holds);
}

} // namespace balvix
