#include "chart/chart_run.h"

#include "chart/chart_page.h"
#include "chart/chart_series.h"
#include "chart/page_text.h"
#include "projection/engine.h"
#include "projection/run_file.h"

namespace balvix {

std::string pageNameOf(std::string_view reportName) {
  return std::string(reportStem(reportName)).append(pageEnding);
}

WrittenFile writeChartPage(Platform& platform, const RunInputs& inputs, const RunSpan& span) {
  const RunConfig& config = inputs.config;
  // Written as a report is: the old page removed (or kept whole when it
  // cannot be) before the walk, then one line at a time, each ended by CR LF.
  const std::string name = pageNameOf(config.reportName);
  RunFile file(platform, name);
  return writeLines(file, name, [&] {
    ChartSeries series(inputs.movements, config.openingBalance);
    walkDays(series, inputs.movements, config.openingBalance, span.first, span.last, span.target);

    ChartRun run{config.reportName, ChartMode::wholePeriod, {}, {}, config.start, config.end};
    const std::string lastDay = dateText(span.last); // the run refers to it
    if (span.target) {
      run.mode = ChartMode::toAmount;
      run.target = *span.target;
    } else if (!(span.last == config.end)) {
      run.mode = ChartMode::toDate;
      run.argument = lastDay;
    }
    const std::string page = chartPage(series, run);

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
