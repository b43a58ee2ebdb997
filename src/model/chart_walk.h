#pragma once

#include "input/scenarios.h"
#include "model/page_model.h"
#include "model/plan_walk.h"
#include "model/record_lows.h"
#include "model/scenario_walks.h"
#include "projection/run_span.h"

#include <memory>
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
  // comparison (ScenarioWalks::planFromStart). `plan`, when given, is the
  // plan walked already with the same span, start and lowsFrom, over
  // movements the same as those of `inputs`; else the plan is walked here.
  ChartWalk(const RunInputs& inputs, const ScenariosRead& scenarios, const RunSpan& span,
            const std::optional<WalksStart>& start = {},
            const std::optional<DateParts>& lowsFrom = {},
            std::shared_ptr<const PlanWalk> plan = nullptr);
  ChartWalk(const ChartWalk&) = delete;
  ChartWalk& operator=(const ChartWalk&) = delete;

  const PageModel& model() const { return plan_->model(); }
  const ChartRun& run() const { return run_; }
  const ScenarioWalks& walks() const { return walks_; }
  const RunInputs& inputs() const { return inputs_; }
  // Given `lowsFrom`, the plan's record lows (each scenario's are its
  // walk's).
  const std::vector<DayBalance>& planLows() const { return plan_->lows(); }

private:
  const RunInputs& inputs_;
  std::shared_ptr<const PlanWalk> plan_;
  ChartRun run_;
  ScenarioWalks walks_;
};

} // namespace balvix
