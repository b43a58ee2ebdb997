#include "chart/chart_run.h"

#include "chart/chart_page.h"
#include "chart/page_model.h"
#include "chart/scenario_data.h"
#include "projection/engine.h"
#include "projection/report.h"

namespace balvix {

std::string pageNameOf(std::string_view reportName) {
  return std::string(reportStem(reportName)).append(pageEnding);
}

WrittenReport writeChartPage(Platform& platform, const RunInputs& inputs, const RunSpan& span) {
  const RunConfig& config = inputs.config;
  // Written as a report is: the old page removed (or kept whole when it
  // cannot be) before the walk, then one line at a time, each ended by CR LF.
  const std::string name = pageNameOf(config.reportName);
  Report file(platform, name);
  return writeLines(file, name, [&] {
    PageModel model(inputs.movements, config.openingBalance);
    walkDays(model, inputs.movements, config.openingBalance, span.first, span.last, span.target);

    const ChartRun run{config.reportName, span.goal, span.target.value_or(ExactAmount{}),
                       config.start, config.end};
    const ScenarioWalks scenarios = walkScenarios(inputs, span);
    const std::string page =
        chartPage(model, run, scenarioData(model, inputs, scenarios), scenarios);

    std::string_view rest = page;
    while (!rest.empty()) {
      std::size_t end = rest.find('\n');
      std::string_view line = rest.substr(0, end);
      if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
      }
      file.appendLine(line);
      rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
  });
}

} // namespace balvix
