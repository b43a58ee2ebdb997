#include "chart/chart_data.h"

#include "chart/json_writer.h"
#include "chart/page_body.h"
#include "chart/page_data.h"
#include "chart/page_tables.h"
#include "chart/page_text.h"
#include "chart/record_lows.h"
#include "chart/scenario_data.h"
#include "chart/scenario_table.h"
#include "projection/engine.h"
#include "projection/walk_events.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace balvix {

ChartWalk::ChartWalk(const RunInputs& inputs, const ScenariosRead& scenarios, const RunSpan& span,
                     const std::optional<WalksStart>& start,
                     const std::optional<DateParts>& lowsFrom)
    : inputs_(inputs), plan_(movementListOf(inputs.movements.entries)),
      model_(plan_, inputs.config.openingBalance) {
  const RunConfig& config = inputs.config;
  if (lowsFrom) {
    RecordLows lows(config.openingBalance, *lowsFrom);
    BothWalkEvents both(model_, lows);
    walkDays(both, plan_, config.openingBalance, span.first, span.last, span.target);
    planLows_ = lows.json();
  } else {
    walkDays(model_, plan_, config.openingBalance, span.first, span.last, span.target);
  }
  run_ = {config.reportName, span.goal, span.target.value_or(ExactAmount{}), config.start,
          config.end};
  walks_ = walkScenarios(inputs, scenarios, span, start, lowsFrom);
}

std::string ChartWalk::recordLows() const {
  std::string out = "[" + planLows_;
  for (const ScenarioWalk& walk : walks_.walks) {
    out += ',';
    out += walk.lows;
  }
  out += ']';
  return out;
}

std::string ChartWalk::scenarioMembers() const {
  return scenarioData(model_, inputs_, walks_);
}

std::string withCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
      out += '\r';
    }
    out += text[i];
  }
  return out;
}

ChartParts chartPartsOf(const RunInputs& inputs, const ScenariosRead& scenarios,
                        const RunSpan& span, const std::optional<WalksStart>& start,
                        const std::optional<DateParts>& lowsFrom) {
  const ChartWalk walk(inputs, scenarios, span, start, lowsFrom);
  ChartParts parts;
  if (lowsFrom) {
    parts.lows = walk.recordLows();
  }
  std::string text;
  appendPageDataJson(text, walk.model(), walk.run(), walk.scenarioMembers());
  parts.data = withCrLf(text);
  text.clear();
  appendPageBody(text, walk.model(), walk.run(), walk.walks(), ScenarioTables::onDemand);
  parts.body = withCrLf(text);
  return parts;
}

ChartParts scenarioPartsOf(const RunInputs& inputs, const ScenariosRead& scenarios,
                           const RunSpan& span, const std::optional<WalksStart>& start,
                           const std::optional<DateParts>& lowsFrom) {
  const ChartWalk walk(inputs, scenarios, span, start, lowsFrom);
  ChartParts parts;
  if (lowsFrom) {
    parts.lows = walk.recordLows();
  }
  parts.data.push_back('{');
  parts.data += walk.scenarioMembers();
  parts.data.push_back('}');
  appendScenarioComparison(parts.body, walk.model(), walk.walks());
  parts.body += "<div id=\"tablas\">\n";
  appendLineTables(parts.body, walk.model(), walk.walks(), ScenarioTables::choiceOnly);
  parts.body += "</div>\n";
  return parts;
}

std::string scenarioTablesOf(const RunInputs& inputs, const ScenariosRead& scenarios,
                             const RunSpan& span, std::size_t line,
                             const std::optional<WalksStart>& start) {
  if (line == 0 || line > scenarios.scenarios.size()) {
    return {};
  }
  // That scenario's walk alone: on a long span each walk is long.
  ScenariosRead one;
  one.scenarios.push_back(scenarios.scenarios[line - 1]);
  const ScenarioWalks walks = walkScenarios(inputs, one, span, start);
  std::string text = "\n";
  appendScenarioTables(text, walks.walks.front());
  return withCrLf(text);
}

} // namespace balvix
