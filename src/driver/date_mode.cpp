#include "driver/date_mode.h"

#include "driver/messages.h"

namespace balvix {

Outcome runDateMode(Platform& platform, const RunInputs& inputs, const Argument& argument,
                    const Projection& project) {
  const RunConfig& config = inputs.config;
  if (argument.mode == RunMode::interval) {
    return runProjection(project, platform, inputs,
                         {config.start, config.end, std::nullopt, RunGoal::wholePeriod});
  }
  const DateParts& last = argument.date;
  if (!(config.start < last && last < config.end)) {
    return {std::string(outsidePeriodMessage), {}};
  }
  return runProjection(project, platform, inputs,
                       {config.start, last, std::nullopt, RunGoal::toDate});
}

} // namespace balvix
