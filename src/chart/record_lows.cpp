#include "chart/record_lows.h"

#include "chart/page_text.h"

namespace balvix {

RecordLows::RecordLows(double opening, const DateParts& today)
    : today_(dayNumber(today)), balance_(opening) {}

void RecordLows::day(const DateParts& date) {
  finishDay();
  day_ = date;
  walking_ = true;
}

std::string RecordLows::json() const {
  std::string out;
  lows_.appendList(out);
  return out;
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
  JsonItems pair(lows_.item(), JsonBrackets::list);
  appendJsonString(pair.item(), isoDate(day_));
  pair.add(jsonAmount(balance_));
  pair.close();
}

} // namespace balvix
