#include "chart/chart_data.h"

#include "chart/page_data.h"
#include "chart/scenario_data.h"
#include "projection/engine.h"

namespace balvix {

ChartWalk::ChartWalk(const RunInputs& inputs, const ScenariosRead& scenarios, const RunSpan& span)
    : inputs_(inputs),
      model_(movementListOf(inputs.movements.entries), inputs.config.openingBalance) {
  const RunConfig& config = inputs.config;
  walkDays(model_, movementListOf(inputs.movements.entries), config.openingBalance, span.first,
           span.last, span.target);
  run_ = {config.reportName, span.goal, span.target.value_or(ExactAmount{}), config.start,
          config.end};
  walks_ = walkScenarios(inputs, scenarios, span);
}

std::string ChartWalk::scenarioMembers() const {
  return scenarioData(model_, inputs_, walks_);
}

void endLinesWithCrLf(std::string& text) {
  // Changed in place, from its end, so that a page is not copied.
  std::size_t added = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    added += text[i] == '\n' && (i == 0 || text[i - 1] != '\r') ? 1 : 0;
  }
  std::size_t from = text.size();
  text.resize(text.size() + added);
  for (std::size_t to = text.size(); added > 0;) {
    const char c = text[--from];
    text[--to] = c;
    if (c == '\n' && (from == 0 || text[from - 1] != '\r')) {
      text[--to] = '\r';
      --added;
    }
  }
}

std::string chartDataOf(const RunInputs& inputs, const ScenariosRead& scenarios,
                        const RunSpan& span) {
  const ChartWalk walk(inputs, scenarios, span);
  std::string data;
  appendPageDataJson(data, walk.model(), walk.run(), walk.scenarioMembers());
  endLinesWithCrLf(data);
  return data;
}

} // namespace balvix
