#include "model/scenario_walks.h"

#include "model/record_lows.h"
#include "projection/engine.h"

namespace balvix {

ScenarioWalks walkScenarios(const RunInputs& inputs, const ScenariosRead& scenarios,
                            const RunSpan& span, const std::optional<WalksStart>& start,
                            const std::optional<DateParts>& lowsFrom) {
  ScenarioWalks out;
  out.target = span.target;
  out.plan = &inputs.movements;
  out.leftOut = scenarios.leftOut;
  if (start) {
    out.startDay = start->day;
  }
  out.walks.reserve(scenarios.scenarios.size());
  const double opening = start ? start->balance : inputs.config.openingBalance;
  const DateParts first = start ? start->day : span.first;
  for (const Scenario& scenario : scenarios.scenarios) {
    const MovementList movements = movementListOf(scenario, inputs.movements);
    ScenarioWalk& walk =
        out.walks.emplace_back(ScenarioWalk{&scenario, PageModel(movements, opening), {}});
    if (lowsFrom) {
      RecordLows lows(opening, *lowsFrom);
      BothWalkEvents both(walk.series, lows);
      walkDays(both, movements, opening, first, span.last, span.target);
      walk.lows = lows.lows();
    } else {
      walkDays(walk.series, movements, opening, first, span.last, span.target);
    }
  }
  return out;
}

} // namespace balvix
