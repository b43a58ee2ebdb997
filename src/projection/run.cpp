#include "projection/run.h"

#include "projection/engine.h"
#include "projection/report.h"

#include <optional>

namespace balvix {

WrittenReport writeReport(Platform& platform, const RunInputs& inputs, const RunSpan& span) {
  Report report(platform, inputs.config.reportName);
  ReportWriter writer(report, inputs.movements.entries, inputs.config.openingBalance);
  walkDays(writer, inputs.movements, inputs.config.openingBalance, span.first, span.last,
           span.target);
  report.close();
  return {inputs.config.reportName, report.wholeWritten(), report.opened()};
}

WrittenReport runToDate(Platform& platform, const RunInputs& inputs, const DateParts& first,
                        const DateParts& last) {
  return writeReport(platform, inputs, {first, last, std::nullopt});
}

WrittenReport runToAmount(Platform& platform, const RunInputs& inputs, const ExactAmount& target) {
  return writeReport(platform, inputs, {inputs.config.start, inputs.config.end, target});
}

} // namespace balvix
