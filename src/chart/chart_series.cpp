#include "chart/chart_series.h"

#include "chart/page_text.h"

#include <algorithm>

namespace balvix {

namespace {

constexpr std::int64_t daysPerWeek = 7;

} // namespace

ChartSeries::ChartSeries(const EntriesRead& movements, double openingBalance,
                         std::size_t pointLimit)
    : movements_(movements), pointLimit_(std::max<std::size_t>(pointLimit, 1)),
      balance_(openingBalance) {
  figures_.opening = openingBalance;
  figures_.closing = openingBalance;
}

void ChartSeries::day(const DateParts& date) {
  if (walking_) {
    finishDay();
  }
  walking_ = true;
  today_ = date;
  todaysMovements_.clear();
  if (months_.empty() || months_.back().year != date.year || months_.back().month != date.month) {
    ChartMonth month;
    month.year = date.year;
    month.month = date.month;
    months_.push_back(month);
  }
}

void ChartSeries::activation(std::size_t /*movement*/) {}

void ChartSeries::movement(std::size_t movement, double /*before*/, double after) {
  balance_ = after;
  if (!walking_ || movement >= movements_.entries.size()) {
    return;
  }
  todaysMovements_.push_back(movement);
  const Entry& moved = movements_.entries[movement];
  ChartMonth& month = months_.back();
  if (moved.action == Action::add) {
    month.putIn += moved.amount;
    figures_.putIn += moved.amount;
  } else if (moved.action == Action::remove) {
    month.takenOut += moved.amount;
    figures_.takenOut += moved.amount;
  }
}

void ChartSeries::closing(double balance) {
  if (walking_) {
    finishDay();
    walking_ = false;
  }
  figures_.closing = balance;
}

void ChartSeries::finishDay() {
  const double balance = balance_;
  if (!haveShown_ || !(balance == lastBalance_)) {
    lastBalance_ = balance;
    lastShown_ = shownAmount(balance);
    haveShown_ = true;
  }
  const double shown = lastShown_;
  const std::int64_t index = figures_.dayCount++;

  if (index == 0) {
    figures_.first = today_;
    figures_.lowest = {today_, balance, todaysMovements_};
    figures_.highest = figures_.lowest;
    lowestShown_ = shown;
    highestShown_ = shown;
  } else if (shown < lowestShown_) {
    figures_.lowest = {today_, balance, todaysMovements_};
    lowestShown_ = shown;
  } else if (shown > highestShown_) {
    figures_.highest = {today_, balance, todaysMovements_};
    highestShown_ = shown;
  }
  if (!figures_.firstBelowZero && shown < 0) {
    figures_.firstBelowZero = ChartDay{today_, balance, todaysMovements_};
  }
  figures_.last = today_;

  ChartMonth& month = months_.back();
  if (month.lastDay == DateParts{} || shown < monthLowestShown_) {
    month.lowest = balance;
    monthLowestShown_ = shown;
  }
  month.lastDay = today_;
  month.closing = balance;

  if (!daysDropped_) {
    days_.push_back(balance);
    if (days_.size() > pointLimit_) {
      daysDropped_ = true;
      days_ = {};
    }
  }
  if (!weeksDropped_) {
    if (index % daysPerWeek == 0) {
      weeks_.push_back({balance, balance, shown});
      if (weeks_.size() > pointLimit_) {
        weeksDropped_ = true;
        weeks_ = {};
      }
    } else {
      Week& week = weeks_.back();
      week.closing = balance;
      if (shown < week.lowestShown) {
        week.lowest = balance;
        week.lowestShown = shown;
      }
    }
  }
}

ChartStep ChartSeries::step() const {
  if (!daysDropped_) {
    return ChartStep::day;
  }
  return weeksDropped_ ? ChartStep::month : ChartStep::week;
}

void ChartSeries::forEachPoint(
    const std::function<void(const DateParts& day, double closing, double lowest)>& visit) const {
  switch (step()) {
  case ChartStep::day: {
    DateParts date = figures_.first;
    for (double balance : days_) {
      visit(date, balance, balance);
      date = addDays(date, 1);
    }
    break;
  }
  case ChartStep::week: {
    const std::int64_t first = dayNumber(figures_.first);
    const std::int64_t last = dayNumber(figures_.last);
    std::int64_t weekEnd = first + daysPerWeek - 1;
    for (const Week& week : weeks_) {
      visit(dateOfDayNumber(std::min(weekEnd, last)), week.closing, week.lowest);
      weekEnd += daysPerWeek;
    }
    break;
  }
  case ChartStep::month:
    for (const ChartMonth& month : months_) {
      visit(month.lastDay, month.closing, month.lowest);
    }
    break;
  }
}

} // namespace balvix
