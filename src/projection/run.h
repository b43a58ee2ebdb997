#pragma once

#include "calendar/calendar.h"
#include "input/entries.h"
#include "input/run_config.h"
#include "platform/platform.h"
#include "projection/money.h"

namespace balvix {

// What a run projects: the one configuration line and the movements, both
// read without fault.
struct RunInputs {
  const RunConfig& config;
  const EntriesRead& movements;
};

// Projects the balance from `first` to `last` (both walked, `first` strictly
// before `last`, both real days), replaces the report named in the
// configuration with this run's lines, and opens it for the user. When a line
// could not be written the user is told before the report is opened.
void runToDate(Platform& platform, const RunInputs& inputs, const DateParts& first,
               const DateParts& last);

// As runToDate over the configured period, but the walk also stops after the
// first day that ends with the balance, as the report writes it, at or above
// `target`.
void runToAmount(Platform& platform, const RunInputs& inputs, const ExactAmount& target);

} // namespace balvix
