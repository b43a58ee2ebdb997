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

namespace {

// The events of a walk from the day `from` on, to a model made that day with
// the balance the walk has at its start.
class FromDay : public WalkEvents {
public:
  FromDay(std::optional<PageModel>& model, const MovementList& movements, double opening,
          const DateParts& from)
      : model_(model), movements_(movements), balance_(opening), from_(dayNumber(from)) {}

  void day(const DateParts& date) override {
    if (!model_ && dayNumber(date) >= from_) {
      model_.emplace(movements_, balance_);
    }
    if (model_) {
      model_->day(date);
    }
  }
  void activation(std::size_t movement) override {
    if (model_) {
      model_->activation(movement);
    }
  }
  void movement(std::size_t movement, double before, double after) override {
    balance_ = after;
    if (model_) {
      model_->movement(movement, before, after);
    }
  }
  void overflow(std::size_t movement) override {
    if (model_) {
      model_->overflow(movement);
    }
  }
  void closing(double balance) override {
    if (model_) {
      model_->closing(balance);
    }
  }

private:
  std::optional<PageModel>& model_;
  const MovementList& movements_;
  double balance_;
  std::int64_t from_;
};

} // namespace

ChartWalk::ChartWalk(const RunInputs& inputs, const ScenariosRead& scenarios, const RunSpan& span,
                     const std::optional<WalksStart>& start,
                     const std::optional<DateParts>& lowsFrom)
    : inputs_(inputs), plan_(movementListOf(inputs.movements.entries)),
      model_(plan_, inputs.config.openingBalance) {
  const RunConfig& config = inputs.config;
  // The plan's one walk, for its model and, when asked, its lows and its
  // model from the start of the walks beside it.
  RecordLows lows(config.openingBalance, lowsFrom.value_or(span.first));
  FromDay fromStart(planFromStart_, plan_, config.openingBalance, start ? start->day : span.first);
  BothWalkEvents withStart(model_, fromStart);
  WalkEvents& planEvents = start ? static_cast<WalkEvents&>(withStart) : model_;
  BothWalkEvents withLows(planEvents, lows);
  walkDays(lowsFrom ? static_cast<WalkEvents&>(withLows) : planEvents, plan_, config.openingBalance,
           span.first, span.last, span.target);
  if (lowsFrom) {
    planLows_ = lows.json();
  }
  run_ = {config.reportName, span.goal, span.target.value_or(ExactAmount{}), config.start,
          config.end};
  walks_ = walkScenarios(inputs, scenarios, span, start, lowsFrom);
  if (planFromStart_) {
    walks_.planFromStart = &*planFromStart_;
  }
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
