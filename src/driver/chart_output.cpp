#include "driver/chart_output.h"

#include "driver/chart_page.h"
#include "page/chart_data.h"
#include "page/json_writer.h"
#include "page/page_text.h"

namespace balvix {

namespace {

// The element of the bytes the page was made from:
// {"config", "entrada", "escenarios": [{"nombre", "texto"}], "argumento"},
// each text one character per byte.
std::string sourcesElement(const ScenariosRead& scenarios, const PageSources& sources) {
  std::string out = R"(<script type="application/json" id="entradas">)";
  JsonItems json(out, JsonBrackets::object);
  appendJsonBytes(json.member("config"), sources.config);
  appendJsonBytes(json.member("entrada", JsonLine::own), sources.entries);
  JsonItems files(json.member("escenarios", JsonLine::own), JsonBrackets::list);
  for (const Scenario& scenario : scenarios.scenarios) {
    JsonItems file(files.item(), JsonBrackets::object);
    appendJsonBytes(file.member("nombre"), scenario.fileName);
    appendJsonBytes(file.member("texto"), scenario.text);
    file.close();
  }
  files.close();
  appendJsonBytes(json.member("argumento", JsonLine::own), sources.argument);
  json.close();
  out += "</script>\n";
  return out;
}

} // namespace

ChartOutput chartOutputOf(const RunInputs& inputs, const ScenariosRead& scenarios,
                          const RunSpan& span, const PageSources& sources) {
  const ChartWalk walk(inputs, scenarios, span);
  ChartOutput output;
  output.balanceOverflowed = walk.model().figures().overflowDay.has_value();
  output.page = chartPage(walk.model(), walk.run(), scenarioMembersOf(walk), walk.walks(),
                          sourcesElement(scenarios, sources));
  return output;
}

} // namespace balvix
