#pragma once

#include "calendar/calendar.h"
#include "input/entries.h"
#include "projection/run_file.h"
#include "projection/walk_events.h"

#include <string>
#include <string_view>
#include <vector>

namespace balvix {

// The report's lines of a walk: a day line per day, the activation and
// movement lines of each movement applied (the movement line followed by an
// empty line), then two empty lines and the closing line. The amounts are
// written as formatMoney writes them; each movement's action and amount are
// written once, when it first applies, and the running balance once per
// change.
class ReportWriter : public WalkEvents {
public:
  ReportWriter(LineSink& sink, const std::vector<Entry>& entries, double openingBalance);

  void day(const DateParts& date) override;
  void activation(std::size_t movement) override;
  void movement(std::size_t movement, double before, double after) override;
  void closing(double balance) override;

private:
  // " action amount", as both lines of the movement write them.
  const std::string& actionAndAmountOf(std::size_t movement);

  LineSink& sink_;
  const std::vector<Entry>& entries_;
  std::vector<std::string> actionAndAmount_; // by movement, empty until it first applies
  double balance_;                           // the balance balanceText_ holds
  std::string balanceText_;                  // as formatMoney writes it
  std::string line_;
};

} // namespace balvix
