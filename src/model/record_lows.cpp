#include "model/record_lows.h"

#include "projection/cents.h"

namespace balvix {

RecordLows::RecordLows(double opening, const DateParts& today)
    : today_(dayNumber(today)), balance_(opening) {}

void RecordLows::day(const DateParts& date) {
  finishDay();
  day_ = date;
  walking_ = true;
}

void RecordLows::finishDay() {
  if (!walking_) {
    return;
  }
  walking_ = false;
  const double rounded = roundedToCent(balance_);
  // From today on the lows start afresh.
  if (!fromToday_ && dayNumber(day_) >= today_) {
    fromToday_ = true;
    lowest_.reset();
  }
  if (lowest_ && !(rounded < *lowest_)) {
    return;
  }
  lowest_ = rounded;
  lows_.push_back({day_, balance_});
}

} // namespace balvix
