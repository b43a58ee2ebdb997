#include "projection/run.h"

#include "projection/engine.h"
#include "projection/report.h"

#include <new>
#include <optional>

namespace balvix {

WrittenFile writeLines(RunFile& file, std::string_view name, const std::function<void()>& write) {
  bool memoryRanOut = false;
  try {
    write();
  } catch (const std::bad_alloc&) {
    memoryRanOut = true;
  }
  file.close();
  return {std::string(name), file.wholeWritten() && !memoryRanOut, file.opened(), memoryRanOut};
}

WrittenFile writeReport(Platform& platform, const RunInputs& inputs, const RunSpan& span) {
  RunFile report(platform, inputs.config.reportName);
  bool overflowed = false;
  WrittenFile written = writeLines(report, inputs.config.reportName, [&] {
    ReportWriter writer(report, inputs.movements.entries, inputs.config.openingBalance);
    walkDays(writer, inputs.movements, inputs.config.openingBalance, span.first, span.last,
             span.target);
    overflowed = writer.overflowed();
  });
  written.balanceOverflowed = overflowed;
  return written;
}

} // namespace balvix
