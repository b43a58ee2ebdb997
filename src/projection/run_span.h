#pragma once

#include "calendar/calendar.h"
#include "input/entries.h"
#include "input/run_config.h"
#include "projection/money.h"

#include <optional>

namespace balvix {

// What a run projects: the one configuration line and the movements, both
// read without fault.
struct RunInputs {
  const RunConfig& config;
  const EntriesRead& movements;
};

// How far a run was asked to go: the whole period, up to a date inside it,
// or until the balance reaches an amount.
enum class RunGoal { wholePeriod, toDate, toAmount };

// What a run walks: from `first` to `last` (both walked, `first` strictly
// before `last`, both real days) and, in amount mode, the amount whose
// reaching, as the report writes the balance, ends the walk early; `goal`
// says which of the runs it is (toAmount exactly when there is a target).
struct RunSpan {
  DateParts first;
  DateParts last;
  std::optional<ExactAmount> target;
  RunGoal goal = RunGoal::wholePeriod;
};

} // namespace balvix
