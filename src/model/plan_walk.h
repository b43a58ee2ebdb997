#pragma once

#include "input/run_config.h"
#include "model/page_model.h"
#include "model/record_lows.h"
#include "model/scenario_walks.h"
#include "projection/run_span.h"

#include <optional>
#include <vector>

namespace balvix {

// The plan's one walk over a span, for its model and what the lines beside
// it compare with. The movements of `inputs` must outlive it; it may be kept
// for another walk of the same plan beside other scenarios.
class PlanWalk {
public:
  // With `lowsFrom`, the plan's record lows from that day; with `start`,
  // the plan is also followed from its day on (walksFromStart).
  PlanWalk(const RunInputs& inputs, const RunSpan& span, const std::optional<WalksStart>& start,
           const std::optional<DateParts>& lowsFrom);

  const PageModel& model() const { return model_; }
  // Given `lowsFrom`, the plan's record lows.
  const std::vector<DayBalance>& lows() const { return lows_; }
  // Given `start`, the plan from its day on, as the lines beside it are
  // walked; else none.
  const PageModel* fromStart() const { return fromStart_ ? &*fromStart_ : nullptr; }

private:
  PageModel model_;
  std::vector<DayBalance> lows_;
  std::optional<PageModel> fromStart_;
};

} // namespace balvix
