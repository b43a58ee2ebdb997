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
  // Judged once per movement here rather than each time it is applied.
  subCent_.reserve(movements.entries.size());
  for (const Entry& entry : movements.entries) {
    subCent_.push_back(!(shownAmount(entry.amount) == entry.amount));
  }
}

void ChartSeries::day(const DateParts& date) {
  if (walking_) {
    finishDay();
  }
  walking_ = true;
  today_ = date;
  todaysMovements_.clear();
  putToday_ = 0;
  takenToday_ = 0;
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
  figures_.subCent = figures_.subCent || subCent_[movement];
  ChartMonth& month = months_.back();
  if (moved.action == Action::add) {
    month.putIn += moved.amount;
    figures_.putIn += moved.amount;
    putToday_ += moved.amount;
  } else if (moved.action == Action::remove) {
    month.takenOut += moved.amount;
    figures_.takenOut += moved.amount;
    takenToday_ += moved.amount;
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
  if (shown < 0) {
    if (!figures_.firstBelowZero) {
      figures_.firstBelowZero = ChartDay{today_, balance, todaysMovements_};
    }
    ++figures_.daysBelowZero;
    if (!inStretch_) {
      stretches_.push_back({{today_, balance, todaysMovements_}, today_, 0, today_, balance});
      stretchLowestShown_ = shown;
      inStretch_ = true;
    }
    ChartStretch& stretch = stretches_.back();
    stretch.last = today_;
    ++stretch.dayCount;
    if (shown < stretchLowestShown_) {
      stretch.lowestDay = today_;
      stretch.lowest = balance;
      stretchLowestShown_ = shown;
    }
  } else {
    inStretch_ = false;
  }
  figures_.last = today_;

  ChartMonth& month = months_.back();
  if (month.lastDay == DateParts{} || shown < monthLowestShown_) {
    month.lowest = balance;
    month.lowestDay = today_;
    monthLowestShown_ = shown;
  }
  month.belowZero = month.belowZero || shown < 0;
  month.lastDay = today_;
  month.closing = balance;

  if (!daysDropped_) {
    dayMovements_.insert(dayMovements_.end(), todaysMovements_.begin(), todaysMovements_.end());
    days_.push_back({balance, putToday_, takenToday_, dayMovements_.size()});
    if (days_.size() > pointLimit_) {
      daysDropped_ = true;
      days_ = {};
      dayMovements_ = {};
    }
  }
  if (!weeksDropped_) {
    if (index % daysPerWeek == 0) {
      weeks_.push_back({balance, balance, shown, putToday_, takenToday_});
      if (weeks_.size() > pointLimit_) {
        weeksDropped_ = true;
        weeks_ = {};
      }
    } else {
      Week& week = weeks_.back();
      week.closing = balance;
      week.putIn += putToday_;
      week.takenOut += takenToday_;
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

void ChartSeries::forEachPoint(const std::function<void(const ChartPoint& point)>& visit) const {
  std::vector<ChartPoint> points;
  switch (step()) {
  case ChartStep::day: {
    DateParts date = figures_.first;
    std::size_t from = 0;
    for (const Day& day : days_) {
      const std::span<const std::size_t> moved(dayMovements_.data() + from,
                                               day.movementsEnd - from);
      points.push_back(
          {date, day.balance, day.balance, day.balance, day.putIn, day.takenOut, moved});
      from = day.movementsEnd;
      date = addDays(date, 1);
    }
    break;
  }
  case ChartStep::week: {
    const std::int64_t first = dayNumber(figures_.first);
    const std::int64_t last = dayNumber(figures_.last);
    std::int64_t weekEnd = first + daysPerWeek - 1;
    for (const Week& week : weeks_) {
      points.push_back({dateOfDayNumber(std::min(weekEnd, last)),
                        week.closing,
                        week.lowest,
                        week.lowest,
                        week.putIn,
                        week.takenOut,
                        {}});
      weekEnd += daysPerWeek;
    }
    break;
  }
  case ChartStep::month:
    for (const ChartMonth& month : months_) {
      points.push_back({month.lastDay,
                        month.closing,
                        month.lowest,
                        month.lowest,
                        month.putIn,
                        month.takenOut,
                        {}});
    }
    break;
  }
  // The future minimum, from the last point back; equal shown amounts keep
  // the later one, which is as low.
  double futureShown = 0;
  for (std::size_t i = points.size(); i-- > 0;) {
    const double shown = shownAmount(points[i].lowest);
    if (i + 1 < points.size() && !(shown < futureShown)) {
      points[i].futureLowest = points[i + 1].futureLowest;
    } else {
      futureShown = shown;
    }
  }
  for (const ChartPoint& point : points) {
    visit(point);
  }
}

} // namespace balvix
