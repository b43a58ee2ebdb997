#include "chart/room_figures.h"

#include "chart/page_text.h"
#include "projection/engine.h"
#include "projection/scaled_amounts.h"
#include "projection/walk_events.h"

#include <cmath>
#include <cstdint>

namespace balvix {

namespace {

// Follows a walk until a day ends below the floor, which ends it; counts
// the "quitar" movements applied.
class FloorCheck : public WalkEvents {
public:
  FloorCheck(const MovementList& movements, double opening, double floor)
      : movements_(movements), floor_(floor), balance_(opening) {}

  void day(const DateParts& /*date*/) override {}
  void activation(std::size_t /*movement*/) override {}
  void movement(std::size_t movement, double /*before*/, double after) override {
    balance_ = after;
    expenses_ += movements_[movement]->action == Action::remove ? 1 : 0;
  }
  void overflow(std::size_t /*movement*/) override {}
  void closing(double /*balance*/) override { seenEnough(); }
  bool seenEnough() const override {
    // Asked at the end of every day but the last, which closing ends.
    if (!below_ && roundedToCent(balance_) < floor_) {
      below_ = true;
    }
    return below_;
  }

  bool below() const { return below_; }
  std::int64_t expenses() const { return expenses_; }

private:
  const MovementList& movements_;
  double floor_;
  double balance_;
  std::int64_t expenses_ = 0;
  mutable bool below_ = false;
};

// Takes the closing balance of a walk, and whether it ended early.
class Closing : public WalkEvents {
public:
  void day(const DateParts& date) override { last_ = date; }
  void activation(std::size_t /*movement*/) override {}
  void movement(std::size_t /*movement*/, double /*before*/, double /*after*/) override {}
  void overflow(std::size_t /*movement*/) override { overflowed_ = true; }
  void closing(double balance) override { balance_ = balance; }

  DateParts last_;
  double balance_ = 0;
  bool overflowed_ = false;
};

// The largest whole value in [holding, failing) with which `holds` is true,
// `holds(holding)` true and `holds(failing)` false; halves the range.
template <class Holds> double largestHolding(double holding, double failing, const Holds& holds) {
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
  Closing before;
  walkDays(before, line.movements, line.opening, line.first, dateOfDayNumber(from - 1),
           span.target);
  if (before.overflowed_ || dayNumber(before.last_) != from - 1 ||
      (span.target && reachesAmount(before.balance_, *span.target))) {
    return std::nullopt;
  }
  return RoomStart{dateOfDayNumber(from), before.balance_};
}

bool staysAtOrAbove(const MovementList& movements, const RoomStart& start, const RunSpan& span,
                    double floor) {
  FloorCheck check(movements, start.balance, floor);
  walkDays(check, movements, start.balance, start.day, span.last, span.target);
  return !check.below();
}

ExpenseRoom expenseRoom(const RoomLine& line, const RoomStart& start, const RunSpan& span,
                        double floor) {
  ScaledMovements scaled(line.movements);
  std::int64_t expenses = 0;
  auto holds = [&](double percent) {
    scaled.scale(static_cast<int>(percent), std::nullopt);
    FloorCheck check(scaled.list(), start.balance, floor);
    walkDays(check, scaled.list(), start.balance, start.day, span.last, span.target);
    expenses = check.expenses();
    return !check.below();
  };
  constexpr int limit = 1000;
  if (holds(0)) {
    // The walk went to its end: it saw every expense.
    if (expenses == 0) {
      return {ExpenseRoom::Kind::noExpenses, 0};
    }
    if (holds(limit + 1)) {
      return {ExpenseRoom::Kind::aboveLimit, limit + 1};
    }
    return {ExpenseRoom::Kind::percent, static_cast<int>(largestHolding(0, limit + 1, holds))};
  }
  if (!holds(-100)) {
    return {ExpenseRoom::Kind::notEvenWithout, -100};
  }
  return {ExpenseRoom::Kind::percent, static_cast<int>(largestHolding(-100, 0, holds))};
}

std::optional<double> monthlyRoom(const RoomLine& line, const RoomStart& start, const RunSpan& span,
                                  double floor) {
  Entry setAside;
  setAside.action = Action::remove;
  setAside.moment = Moment::periodic;
  setAside.schedule = EntrySchedule{1, Unit::months, start.day};
  MovementList movements = line.movements;
  movements.push_back(&setAside);
  auto holds = [&](double euros) {
    setAside.amount = euros;
    return staysAtOrAbove(movements, start, span, floor);
  };
  if (!holds(0)) {
    return std::nullopt;
  }
  // The first set-aside goes on the first day: more than that day's balance
  // above the floor (and a cent) cannot hold.
  Closing firstDay;
  walkDays(firstDay, line.movements, start.balance, start.day, start.day);
  double failing = std::floor(firstDay.balance_ - floor) + 2;
  while (std::isfinite(failing) && holds(failing)) {
    failing *= 2;
  }
  return largestHolding(0, failing, holds);
}

} // namespace balvix
