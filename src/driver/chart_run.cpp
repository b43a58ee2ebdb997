#include "driver/chart_run.h"

#include "report/run_file.h"

namespace balvix {

namespace {

// Appends the page with every line ended by CR LF, as every file the program
// writes: a line feed gets a carriage return before it, unless it has one
// already.
void appendWithCrLf(RunFile& file, std::string_view page) {
  for (std::size_t at = 0; at < page.size();) {
    const std::size_t end = page.find('\n', at);
    if (end == std::string_view::npos) {
      file.appendEndedLines(page.substr(at));
      return;
    }
    const bool ended = end > at && page[end - 1] == '\r';
    file.appendEndedLines(page.substr(at, end - at - (ended ? 1 : 0)), "\r\n");
    at = end + 1;
  }
}

} // namespace

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
    appendWithCrLf(file, output.page);
  });
}

} // namespace balvix
