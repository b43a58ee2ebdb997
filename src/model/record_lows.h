#pragma once

#include "calendar/calendar.h"
#include "projection/walk_events.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace balvix {

// A day of a walk and its closing balance.
struct DayBalance {
  DateParts day;
  double balance = 0;
};

// The record lows of one walk, for figures counted from `today` exact to the
// day on pages whose points are weeks or months: the days whose closing
// balance, rounded to the cent, is below that of every earlier day, counted
// afresh from `today` on (the first of them `today` itself when the walk
// reaches it). Fed by the walk it follows.
class RecordLows : public WalkEvents {
public:
  RecordLows(double opening, const DateParts& today);

  void day(const DateParts& date) override;
  void activation(std::size_t /*movement*/) override {}
  void movement(std::size_t /*movement*/, double /*before*/, double after) override {
    balance_ = after;
  }
  void overflow(std::size_t /*movement*/) override {}
  void closing(double /*balance*/) override { finishDay(); }

  // The lows in order of days, once the walk is over.
  const std::vector<DayBalance>& lows() const { return lows_; }

private:
  void finishDay();

  std::int64_t today_;
  double balance_;
  DateParts day_;
  bool walking_ = false;
  bool fromToday_ = false;
  std::optional<double> lowest_;
  std::vector<DayBalance> lows_;
};

} // namespace balvix
