#include "chart/chart_data.h"

#include "chart/json_writer.h"
#include "chart/page_body.h"
#include "chart/page_data.h"
#include "chart/page_tables.h"
#include "chart/page_text.h"
#include "chart/scenario_data.h"
#include "chart/scenario_table.h"
#include "projection/engine.h"
#include "projection/walk_events.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace balvix {

namespace {

// The record lows of one walk (recordLowsJson), as JSON pairs.
class RecordLows : public WalkEvents {
public:
  RecordLows(double opening, std::int64_t today) : today_(today), balance_(opening) {}

  void day(const DateParts& date) override {
    finishDay();
    day_ = date;
    walking_ = true;
  }
  void activation(std::size_t /*movement*/) override {}
  void movement(std::size_t /*movement*/, double /*before*/, double after) override {
    balance_ = after;
  }
  void overflow(std::size_t /*movement*/) override {}
  void closing(double /*balance*/) override { finishDay(); }

  const JsonItems& lows() const { return lows_; }

private:
  void finishDay() {
    if (!walking_) {
      return;
    }
    walking_ = false;
    const double rounded = roundedToCent(balance_);
    // From today on the lows start afresh.
    if (!fromToday_ && dayNumber(day_) >= today_) {
      fromToday_ = true;
      lowest_.reset();
    }
    if (lowest_ && !(rounded < *lowest_)) {
      return;
    }
    lowest_ = rounded;
    JsonItems pair(lows_.item(), JsonBrackets::list);
    appendJsonString(pair.item(), isoDate(day_));
    pair.add(jsonAmount(balance_));
    pair.close();
  }

  std::int64_t today_;
  double balance_;
  DateParts day_;
  bool walking_ = false;
  bool fromToday_ = false;
  std::optional<double> lowest_;
  JsonItems lows_;
};

} // namespace

ChartWalk::ChartWalk(const RunInputs& inputs, const ScenariosRead& scenarios, const RunSpan& span,
                     const std::optional<WalksStart>& start)
    : inputs_(inputs), plan_(movementListOf(inputs.movements.entries)),
      model_(plan_, inputs.config.openingBalance) {
  const RunConfig& config = inputs.config;
  walkDays(model_, plan_, config.openingBalance, span.first, span.last, span.target);
  run_ = {config.reportName, span.goal, span.target.value_or(ExactAmount{}), config.start,
          config.end};
  walks_ = walkScenarios(inputs, scenarios, span, start);
}

std::string ChartWalk::scenarioMembers() const {
  return scenarioData(model_, inputs_, walks_);
}

std::string recordLowsJson(const RunInputs& inputs, const ScenariosRead& scenarios,
                           const RunSpan& span, const DateParts& today,
                           const std::optional<WalksStart>& start) {
  JsonItems json;
  auto walk = [&](const MovementList& movements, double opening, const DateParts& first) {
    RecordLows lows(opening, dayNumber(today));
    walkDays(lows, movements, opening, first, span.last, span.target);
    lows.lows().appendList(json.item());
  };
  const double opening = inputs.config.openingBalance;
  walk(movementListOf(inputs.movements.entries), opening, span.first);
  for (const Scenario& scenario : scenarios.scenarios) {
    const WalksStart from = startOf(scenario, inputs, span, start);
    walk(movementListOf(scenario, inputs.movements), from.balance, from.day);
  }
  std::string out;
  json.appendList(out);
  return out;
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
                        const RunSpan& span, const std::optional<WalksStart>& start) {
  const ChartWalk walk(inputs, scenarios, span, start);
  ChartParts parts;
  std::string text;
  appendPageDataJson(text, walk.model(), walk.run(), walk.scenarioMembers());
  parts.data = withCrLf(text);
  text.clear();
  appendPageBody(text, walk.model(), walk.run(), walk.walks(), ScenarioTables::onDemand);
  parts.body = withCrLf(text);
  return parts;
}

ChartParts scenarioPartsOf(const RunInputs& inputs, const ScenariosRead& scenarios,
                           const RunSpan& span, const std::optional<WalksStart>& start) {
  const ChartWalk walk(inputs, scenarios, span, start);
  ChartParts parts;
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
