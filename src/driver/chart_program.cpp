#include "driver/program.h"

#include "driver/chart_run.h"
#include "driver/input_files.h"
#include "input/messages.h"
#include "input/scenarios.h"

namespace balvix {

// In a file of its own, so that balvix, which never draws a chart, links
// without the chart page.
int runChartProgram(Platform& platform) {
  // The scenarios are read with the other inputs and walked by the page,
  // which carries the bytes they were all read from.
  ScenariosRead scenarios;
  InputTexts sources;
  ProgramKind kind{chartUsageText, true, {}, longestChartReportName, {}};
  kind.readCompanions = [&](Platform& system, const InputTexts& texts, const EntriesRead& plan,
                            const ErrorSink& logError) {
    sources = texts;
    scenarios = readScenarioFolder(system, plan, logError);
    return CompanionsRead{scenarios.errorCount, scenarios.unreadable};
  };
  kind.project = [&](Platform& system, const RunInputs& inputs, const RunSpan& span,
                     WrittenFile& written) {
    writeChartPage(system, inputs, scenarios, {sources.config, sources.entries, sources.argument},
                   span, written);
  };
  return runProgram(platform, kind);
}

} // namespace balvix
