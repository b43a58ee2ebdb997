#include "driver/asked_run.h"

#include "input/messages.h"

namespace balvix {

Outcome runAskedSpan(Platform& platform, const RunInputs& inputs, const Argument& argument,
                     const Projection& project) {
  const std::optional<RunSpan> span = runSpanOf(inputs.config, argument);
  if (!span) {
    return {std::string(outsidePeriodMessage), {}};
  }
  return runProjection(project, platform, inputs, *span);
}

} // namespace balvix
