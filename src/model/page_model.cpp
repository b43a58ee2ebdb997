#include "model/page_model.h"

#include "projection/cents.h"

#include <algorithm>

namespace balvix {

namespace {

constexpr std::int64_t daysPerWeek = 7;

} // namespace

PageModel::PageModel(MovementList movements, double openingBalance, std::size_t pointLimit)
    : movements_(std::move(movements)), pointLimit_(std::max<std::size_t>(pointLimit, 1)),
      balance_(openingBalance) {
  figures_.opening = openingBalance;
  figures_.closing = openingBalance;
  // Judged once per movement here rather than each time it is applied.
  subCent_.reserve(movements_.size());
  for (const Entry* entry : movements_) {
    subCent_.push_back(!(roundedToCent(entry->amount) == entry->amount));
  }
}

void PageModel::day(const DateParts& date) {
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

void PageModel::activation(std::size_t /*movement*/) {}

void PageModel::movement(std::size_t movement, double /*before*/, double after) {
  balance_ = after;
  if (!walking_ || movement >= movements_.size()) {
    return;
  }
  todaysMovements_.push_back(movement);
  const Entry& moved = *movements_[movement];
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

void PageModel::overflow(std::size_t /*movement*/) {
  figures_.overflowDay = today_;
}

void PageModel::closing(double balance) {
  if (walking_) {
    finishDay();
    walking_ = false;
  }
  figures_.closing = balance;
}

void PageModel::finishDay() {
  const double balance = balance_;
  if (!haveRounded_ || !(balance == lastBalance_)) {
    lastBalance_ = balance;
    lastRounded_ = roundedToCent(balance);
    haveRounded_ = true;
  }
  const double rounded = lastRounded_;
  const std::int64_t index = figures_.dayCount++;
  noteFigures(index, balance, rounded);
  noteMonth(balance, rounded);
  notePoints(index, balance, rounded);
}

void PageModel::noteFigures(std::int64_t index, double balance, double rounded) {
  if (index == 0) {
    figures_.first = today_;
    figures_.lowest = {today_, balance, todaysMovements_};
    figures_.highest = figures_.lowest;
    lowestRounded_ = rounded;
    highestRounded_ = rounded;
  } else if (rounded < lowestRounded_) {
    figures_.lowest = {today_, balance, todaysMovements_};
    lowestRounded_ = rounded;
  } else if (rounded > highestRounded_) {
    figures_.highest = {today_, balance, todaysMovements_};
    highestRounded_ = rounded;
  }
  if (rounded < 0) {
    if (!figures_.firstBelowZero) {
      figures_.firstBelowZero = ChartDay{today_, balance, todaysMovements_};
    }
    ++figures_.daysBelowZero;
    if (!inStretch_) {
      stretches_.push_back({{today_, balance, todaysMovements_}, today_, 0, today_, balance});
      stretchLowestRounded_ = rounded;
      inStretch_ = true;
    }
    ChartStretch& stretch = stretches_.back();
    stretch.last = today_;
    ++stretch.dayCount;
    if (rounded < stretchLowestRounded_) {
      stretch.lowestDay = today_;
      stretch.lowest = balance;
      stretchLowestRounded_ = rounded;
    }
  } else {
    inStretch_ = false;
  }
  figures_.last = today_;
}

void PageModel::noteMonth(double balance, double rounded) {
  ChartMonth& month = months_.back();
  if (month.lastDay == DateParts{} || rounded < monthLowestRounded_) {
    month.lowest = balance;
    month.lowestDay = today_;
    monthLowestRounded_ = rounded;
  }
  month.belowZero = month.belowZero || rounded < 0;
  month.lastDay = today_;
  month.closing = balance;
}

void PageModel::notePoints(std::int64_t index, double balance, double rounded) {
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
      weeks_.push_back({balance, balance, rounded, putToday_, takenToday_});
      if (weeks_.size() > pointLimit_) {
        weeksDropped_ = true;
        weeks_ = {};
      }
    } else {
      Week& week = weeks_.back();
      week.closing = balance;
      week.putIn += putToday_;
      week.takenOut += takenToday_;
      if (rounded < week.lowestRounded) {
        week.lowest = balance;
        week.lowestRounded = rounded;
      }
    }
  }
}

ChartStep PageModel::step() const {
  if (!daysDropped_) {
    return ChartStep::day;
  }
  return weeksDropped_ ? ChartStep::month : ChartStep::week;
}

void PageModel::forEachPoint(const std::function<void(const ChartPoint& point)>& visit) const {
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
  // The future minimum, from the last point back; equal rounded amounts keep
  // the later one, which is as low.
  double futureRounded = 0;
  for (std::size_t i = points.size(); i-- > 0;) {
    const double rounded = roundedToCent(points[i].lowest);
    if (i + 1 < points.size() && !(rounded < futureRounded)) {
      points[i].futureLowest = points[i + 1].futureLowest;
    } else {
      futureRounded = rounded;
    }
  }
  for (const ChartPoint& point : points) {
    visit(point);
  }
}

} // namespace balvix
