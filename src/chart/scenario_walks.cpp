#include "chart/scenario_walks.h"

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
                            const RunSpan& span, const std::optional<WalksStart>& start) {
  ScenarioWalks out;
  out.target = span.target;
  out.plan = &inputs.movements;
  out.leftOut = scenarios.leftOut;
  out.walks.reserve(scenarios.scenarios.size());
  for (const Scenario& scenario : scenarios.scenarios) {
    const MovementList movements = movementListOf(scenario, inputs.movements);
    const WalksStart from = startOf(scenario, inputs, span, start);
    ScenarioWalk& walk =
        out.walks.emplace_back(ScenarioWalk{&scenario, PageModel(movements, from.balance)});
    walkDays(walk.series, movements, from.balance, from.day, span.last, span.target);
  }
  return out;
}

} // namespace balvix
