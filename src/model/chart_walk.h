#pragma once

#include "input/scenarios.h"
#include "model/page_model.h"
#include "model/record_lows.h"
#include "model/scenario_walks.h"
#include "projection/run_span.h"

#include <optional>
#include <vector>

namespace balvix {

// A run walked once, for its page or its data: the plan's model and the
// scenarios' walks. `inputs` and `scenarios` must outlive it.
class ChartWalk {
public:
  // The scenarios walked from `start` when there is one (walkScenarios);
  // with `lowsFrom`, every line keeps its record lows from that day.
  // With `start`, the plan is also followed from its day on, for the
  // comparison (ScenarioWalks::planFromStart).
  ChartWalk(const RunInputs& inputs, const ScenariosRead& scenarios, const RunSpan& span,
            const std::optional<WalksStart>& start = {},
            const std::optional<DateParts>& lowsFrom = {});
  ChartWalk(const ChartWalk&) = delete;
  ChartWalk& operator=(const ChartWalk&) = delete;

  const PageModel& model() const { return model_; }
  const ChartRun& run() const { return run_; }
  const ScenarioWalks& walks() const { return walks_; }
  const RunInputs& inputs() const { return inputs_; }
  // Given `lowsFrom`, the plan's record lows (each scenario's are its
  // walk's).
  const std::vector<DayBalance>& planLows() const { return planLows_; }

private:
  const RunInputs& inputs_;
  MovementList plan_; // the plan's movements, walked once
  PageModel model_;
  ChartRun run_;
  ScenarioWalks walks_;
  std::vector<DayBalance> planLows_;
  std::optional<PageModel> planFromStart_;
};

} // namespace balvix
