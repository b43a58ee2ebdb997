#include "driver/date_mode.h"

#include "driver/messages.h"

#include <tuple>

namespace balvix {

bool isBefore(const DateParts& a, const DateParts& b) {
  return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

Outcome runDateMode(Platform& platform, const RunInputs& inputs, const Argument& argument,
                    const Projection& project) {
  const RunConfig& config = inputs.config;
  if (argument.mode == RunMode::interval) {
    return outcomeOf(project(platform, inputs, {config.start, config.end, std::nullopt}));
  }
  const DateParts& last = argument.date;
  if (!isBefore(config.start, last) || !isBefore(last, config.end)) {
    return {outsidePeriodMessage, {}};
  }
  return outcomeOf(project(platform, inputs, {config.start, last, std::nullopt}));
}

} // namespace balvix
