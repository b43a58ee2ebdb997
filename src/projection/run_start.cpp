#include "projection/run_start.h"

#include "input/messages.h"
#include "projection/argument.h"

#include <optional>

namespace balvix {

RunStart startRun(const StartSteps& steps, const ErrorSink& log) {
  RunStart start;
  const Argument argument = classifyArgument(steps.argument);
  if (argument.mode == RunMode::usage) {
    start.refusal = steps.usage;
    return start;
  }
  if (steps.inputsThere && !steps.inputsThere()) {
    start.refusal = missingFilesMessage;
    return start;
  }
  start.movements = steps.readMovements(log);
  start.config = steps.readConfig(log);
  // Read against the plan: without it, none of their faults would be true.
  if (steps.readCompanions && !start.movements.unreadable) {
    start.companions = steps.readCompanions(start.movements, log);
  }
  if (!allowsRun(start.movements, start.config, start.companions.errorCount)) {
    start.refusal = inputErrorsMessage;
    start.faulty = true;
    return start;
  }
  const std::optional<RunSpan> span = runSpanOf(start.config.records.front(), argument);
  if (!span) {
    start.refusal = outsidePeriodMessage;
    return start;
  }
  start.span = *span;
  return start;
}

} // namespace balvix
