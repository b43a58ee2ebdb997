#include "driver/program.h"

#include "chart/chart_run.h"
#include "driver/messages.h"

namespace balvix {

// In a file of its own, so that balvix, which never draws a chart, links
// without the chart page.
int runChartProgram(Platform& platform) {
  return runProgram(platform, {chartUsageText, true, writeChartPage, longestChartReportName, true});
}

} // namespace balvix
