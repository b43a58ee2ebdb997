#include "chart/chart_run.h"

#include "chart/chart_page.h"
#include "chart/page_model.h"
#include "chart/scenario_data.h"
#include "projection/engine.h"
#include "projection/run_file.h"

namespace balvix {

namespace {

// Ends every line of the page with CR LF, as every file the program writes:
// a line feed gets a carriage return before it, unless it has one already.
// The page is changed in place, from its end, so that it is not copied.
void endLinesWithCrLf(std::string& page) {
  std::size_t added = 0;
  for (std::size_t i = 0; i < page.size(); ++i) {
    added += page[i] == '\n' && (i == 0 || page[i - 1] != '\r') ? 1 : 0;
  }
  std::size_t from = page.size();
  page.resize(page.size() + added);
  for (std::size_t to = page.size(); added > 0;) {
    const char c = page[--from];
    page[--to] = c;
    if (c == '\n' && (from == 0 || page[from - 1] != '\r')) {
      page[--to] = '\r';
      --added;
    }
  }
}

} // namespace

std::string pageNameOf(std::string_view reportName) {
  return std::string(reportStem(reportName)).append(pageEnding);
}

void writeChartPage(Platform& platform, const RunInputs& inputs, const ScenariosRead& scenarios,
                    const RunSpan& span, WrittenFile& written) {
  const RunConfig& config = inputs.config;
  // Written as a report is: the old page removed (or kept whole when it
  // cannot be) before the walk, then its lines, each ended by CR LF.
  const std::string name = pageNameOf(config.reportName);
  RunFile file(platform, name);
  writeLines(file, name, written, [&] {
    const MovementList plan = movementListOf(inputs.movements.entries);
    PageModel model(plan, config.openingBalance);
    walkDays(model, plan, config.openingBalance, span.first, span.last, span.target);
    written.balanceOverflowed = model.figures().overflowDay.has_value();

    const ChartRun run{config.reportName, span.goal, span.target.value_or(ExactAmount{}),
                       config.start, config.end};
    const ScenarioWalks walks = walkScenarios(inputs, scenarios, span);
    std::string page = chartPage(model, run, scenarioData(model, inputs, walks), walks);

    endLinesWithCrLf(page);
    file.appendEndedLines(page);
  });
}

} // namespace balvix
