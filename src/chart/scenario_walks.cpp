#include "chart/scenario_walks.h"

#include "projection/engine.h"

namespace balvix {

ScenarioWalks walkScenarios(const RunInputs& inputs, const RunSpan& span) {
  ScenarioWalks out;
  out.target = span.target;
  if (inputs.scenarios == nullptr) {
    return out;
  }
  out.leftOut = inputs.scenarios->leftOut;
  out.walks.reserve(inputs.scenarios->scenarios.size());
  for (const Scenario& scenario : inputs.scenarios->scenarios) {
    ScenarioWalk& walk = out.walks.emplace_back(
        ScenarioWalk{&scenario, PageModel(scenario.movements, inputs.config.openingBalance)});
    walkDays(walk.series, scenario.movements, inputs.config.openingBalance, span.first, span.last,
             span.target);
  }
  return out;
}

} // namespace balvix
