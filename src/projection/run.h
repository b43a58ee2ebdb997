#pragma once

#include "calendar/calendar.h"
#include "input/entries.h"
#include "input/run_config.h"
#include "platform/platform.h"
#include "projection/money.h"

#include <string>
#include <string_view>

namespace balvix {

// What a run projects: the one configuration line and the movements, both
// read without fault.
struct RunInputs {
  const RunConfig& config;
  const EntriesRead& movements;
};

// The file a run wrote for the user, closed: its name in the program
// directory, and whether every line of it was written (false also when an
// earlier report could not be replaced).
struct WrittenReport {
  std::string name;
  bool whole = true;
};

// Projects the balance from `first` to `last` (both walked, `first` strictly
// before `last`, both real days) and replaces the report named in the
// configuration with this run's lines. Nothing is shown or opened: the caller
// tells the user once it has released the folder.
WrittenReport runToDate(Platform& platform, const RunInputs& inputs, const DateParts& first,
                        const DateParts& last);

// As runToDate over the configured period, but the walk also stops after the
// first day that ends with the balance, as the report writes it, at or above
// `target`.
WrittenReport runToAmount(Platform& platform, const RunInputs& inputs, const ExactAmount& target);

} // namespace balvix
