#include "model/scenario_walks.h"

#include "model/record_lows.h"
#include "projection/engine.h"

namespace balvix {

WalksStart startOf(const Scenario& scenario, const RunInputs& inputs, const RunSpan& span,
                   const std::optional<WalksStart>& start) {
  if (scenario.startDay) {
    return {*scenario.startDay, scenario.startBalance};
  }
  return start.value_or(WalksStart{span.first, inputs.config.openingBalance});
}

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
  for (const Scenario& scenario : scenarios.scenarios) {
    const MovementList movements = movementListOf(scenario, inputs.movements);
    const WalksStart from = startOf(scenario, inputs, span, start);
    ScenarioWalk& walk =
        out.walks.emplace_back(ScenarioWalk{&scenario, PageModel(movements, from.balance), {}});
    if (lowsFrom) {
      RecordLows lows(from.balance, *lowsFrom);
      BothWalkEvents both(walk.series, lows);
      walkDays(both, movements, from.balance, from.day, span.last, span.target);
      walk.lows = lows.lows();
    } else {
      walkDays(walk.series, movements, from.balance, from.day, span.last, span.target);
    }
  }
  return out;
}

} // namespace balvix
