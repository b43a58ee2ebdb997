#include "page/chart_data.h"

#include "page/json_writer.h"
#include "page/page_body.h"
#include "page/page_data.h"
#include "page/page_tables.h"
#include "page/page_text.h"
#include "page/scenario_data.h"
#include "page/scenario_table.h"

#include <optional>
#include <vector>

namespace balvix {

namespace {

// One line's record lows as JSON pairs [day (ISO), balance].
void appendLows(JsonItems& lines, const std::vector<DayBalance>& lows) {
  JsonItems pairs(lines.item(), JsonBrackets::list);
  for (const DayBalance& low : lows) {
    JsonItems pair(pairs.item(), JsonBrackets::list);
    appendJsonDate(pair.item(), low.day);
    appendJsonAmount(pair.item(), low.balance);
    pair.close();
  }
  pairs.close();
}

// Parts holding only the lows of `walk`, when asked for.
ChartParts lowsOf(const ChartWalk& walk, bool withLows) {
  ChartParts parts;
  if (withLows) {
    parts.lows = recordLowsJson(walk);
  }
  return parts;
}

} // namespace

std::string recordLowsJson(const ChartWalk& walk) {
  std::string out;
  JsonItems lines(out, JsonBrackets::list);
  appendLows(lines, walk.planLows());
  for (const ScenarioWalk& line : walk.walks().walks) {
    appendLows(lines, line.lows);
  }
  lines.close();
  return out;
}

std::string scenarioMembersOf(const ChartWalk& walk) {
  return scenarioData(walk.model(), walk.inputs(), walk.walks());
}

std::string withCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  std::size_t at = 0;
  for (std::size_t end = text.find('\n'); end != std::string_view::npos;
       at = end + 1, end = text.find('\n', at)) {
    out += text.substr(at, end - at);
    if (end == 0 || text[end - 1] != '\r') {
      out += '\r';
    }
    out += '\n';
  }
  out += text.substr(at);
  return out;
}

ChartParts chartPartsOf(const ChartWalk& walk, bool withLows) {
  ChartParts parts = lowsOf(walk, withLows);
  std::string text;
  appendPageDataJson(text, walk.model(), walk.run(), scenarioMembersOf(walk));
  parts.data = withCrLf(text);
  text.clear();
  appendPageBody(text, walk.model(), walk.run(), walk.walks(), ScenarioTables::onDemand);
  parts.body = withCrLf(text);
  return parts;
}

ChartParts scenarioPartsOf(const ChartWalk& walk, bool withLows) {
  ChartParts parts = lowsOf(walk, withLows);
  parts.data.push_back('{');
  parts.data += scenarioMembersOf(walk);
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
