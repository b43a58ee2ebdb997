#pragma once

#include "chart/page_model.h"
#include "chart/scenario_walks.h"
#include "input/scenarios.h"
#include "projection/run_span.h"

#include <string>

namespace balvix {

// A run walked once, for its page or its data: the plan's model and the
// scenarios' walks. `inputs` and `scenarios` must outlive it.
class ChartWalk {
public:
  ChartWalk(const RunInputs& inputs, const ScenariosRead& scenarios, const RunSpan& span);

  const PageModel& model() const { return model_; }
  const ChartRun& run() const { return run_; }
  const ScenarioWalks& walks() const { return walks_; }
  // The scenarios' members of the page's data (scenarioData).
  std::string scenarioMembers() const;

private:
  const RunInputs& inputs_;
  PageModel model_;
  ChartRun run_;
  ScenarioWalks walks_;
};

// The page's data alone: the JSON text of its element "datos", byte for byte
// as the page of the same run holds it, its lines ended by CR LF.
std::string chartDataOf(const RunInputs& inputs, const ScenariosRead& scenarios,
                        const RunSpan& span);

// Ends every line of `text` with CR LF: a line feed gets a carriage return
// before it, unless it has one already.
void endLinesWithCrLf(std::string& text);

} // namespace balvix
