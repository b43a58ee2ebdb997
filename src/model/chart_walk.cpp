#include "model/chart_walk.h"

#include <utility>

namespace balvix {

ChartWalk::ChartWalk(const RunInputs& inputs, const ScenariosRead& scenarios, const RunSpan& span,
                     const std::optional<WalksStart>& start,
                     const std::optional<DateParts>& lowsFrom, std::shared_ptr<const PlanWalk> plan)
    : inputs_(inputs),
      plan_(plan ? std::move(plan)
                 : std::make_shared<const PlanWalk>(inputs, span, start, lowsFrom)) {
  const RunConfig& config = inputs.config;
  run_ = {config.reportName, span.goal, span.target.value_or(ExactAmount{}), config.start,
          config.end};
  walks_ = walkScenarios(inputs, scenarios, span, start, lowsFrom);
  walks_.planFromStart = plan_->fromStart();
}

} // namespace balvix
