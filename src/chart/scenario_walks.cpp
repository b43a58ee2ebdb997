#include "chart/scenario_walks.h"

#include "projection/engine.h"

namespace balvix {

ScenarioWalks walkScenarios(const RunInputs& inputs, const ScenariosRead& scenarios,
                            const RunSpan& span) {
  ScenarioWalks out;
  out.target = span.target;
  out.plan = &inputs.movements;
  out.leftOut = scenarios.leftOut;
  out.walks.reserve(scenarios.scenarios.size());
  const double opening = inputs.config.openingBalance;
  for (const Scenario& scenario : scenarios.scenarios) {
    const MovementList movements = movementListOf(scenario, inputs.movements);
    ScenarioWalk& walk =
        out.walks.emplace_back(ScenarioWalk{&scenario, PageModel(movements, opening)});
    walkDays(walk.series, movements, opening, span.first, span.last, span.target);
  }
  return out;
}

} // namespace balvix
