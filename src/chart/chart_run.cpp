#include "chart/chart_run.h"

#include "projection/run_file.h"

namespace balvix {

std::string pageNameOf(std::string_view reportName) {
  return std::string(reportStem(reportName)).append(pageEnding);
}

void writeChartPage(Platform& platform, const RunInputs& inputs, const ScenariosRead& scenarios,
                    const PageSources& sources, const RunSpan& span, WrittenFile& written) {
  const RunConfig& config = inputs.config;
  // Written as a report is: the old page removed (or kept whole when it
  // cannot be) before the walk, then its lines, each ended by CR LF.
  const std::string name = pageNameOf(config.reportName);
  RunFile file(platform, name);
  writeLines(file, name, written, [&] {
    const ChartOutput output = chartOutputOf(inputs, scenarios, span, sources);
    written.balanceOverflowed = output.balanceOverflowed;
    file.appendEndedLines(output.page);
  });
}

} // namespace balvix
