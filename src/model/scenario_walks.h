#pragma once

#include "input/scenarios.h"
#include "model/page_model.h"
#include "model/record_lows.h"
#include "projection/run_span.h"

#include <optional>
#include <string>
#include <vector>

namespace balvix {

// One scenario walked: the scenario and the model of its walk, which names
// the movements of movementListOf(scenario) by their index there.
struct ScenarioWalk {
  const Scenario* scenario = nullptr;
  PageModel series;
  std::vector<DayBalance> lows; // its record lows (RecordLows), when asked for
};

// The scenarios of a run, each walked once by the same engine over the same
// span as the plan (in an amount run each walk stops on its own day), for
// the comparison, the tables and the page's data to share.
struct ScenarioWalks {
  const EntriesRead* plan = nullptr; // the movements the scenarios take from
  std::vector<ScenarioWalk> walks;   // in name order
  std::vector<std::string> leftOut;  // the file names beyond the last used
  std::optional<ExactAmount> target; // the amount of an amount run
  // When the walks start on a day of their own (WalksStart), that day, and
  // the plan walked from it as they are, for the comparison; else none.
  std::optional<DateParts> startDay;
  const PageModel* planFromStart = nullptr;
};

// Where the walks beside the plan start when not with it: from `day` (inside
// the span, before its last day) with the balance `balance` at its start, as
// today's balance the bank tells.
struct WalksStart {
  DateParts day;
  double balance = 0;
};

// Where the walk of `scenario` starts: on its own start day when it has
// one, else from `start`, else from the span's first day with the opening
// balance of `inputs`.
WalksStart startOf(const Scenario& scenario, const RunInputs& inputs, const RunSpan& span,
                   const std::optional<WalksStart>& start);

// The walks of `scenarios`, each against the movements of `inputs`, each from
// its start (startOf); with `lowsFrom`, each walk also keeps its record lows
// counted from that day. Both must outlive the result: each model names the
// movements of its scenario.
ScenarioWalks walkScenarios(const RunInputs& inputs, const ScenariosRead& scenarios,
                            const RunSpan& span, const std::optional<WalksStart>& start = {},
                            const std::optional<DateParts>& lowsFrom = {});

} // namespace balvix
