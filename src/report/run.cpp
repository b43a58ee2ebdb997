#include "report/run.h"

#include "projection/engine.h"
#include "report/report.h"

#include <optional>

namespace balvix {

void writeLines(RunFile& file, std::string_view name, WrittenFile& written,
                const std::function<void()>& write) {
  written.name = name;
  written.ours = file.opened();
  write();
  file.close();
  written.whole = file.wholeWritten();
}

void writeReport(Platform& platform, const RunInputs& inputs, const RunSpan& span,
                 WrittenFile& written) {
  RunFile report(platform, inputs.config.reportName);
  writeLines(report, inputs.config.reportName, written, [&] {
    ReportWriter writer(report, inputs.movements.entries, inputs.config.openingBalance);
    walkDays(writer, movementListOf(inputs.movements.entries), inputs.config.openingBalance,
             span.first, span.last, span.target);
    written.balanceOverflowed = writer.overflowed();
  });
}

} // namespace balvix
