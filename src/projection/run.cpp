#include "projection/run.h"

#include "projection/engine.h"
#include "projection/report.h"

#include <optional>

namespace balvix {

namespace {

WrittenReport run(Platform& platform, const RunInputs& inputs, const DateParts& first,
                  const DateParts& last, const std::optional<ExactAmount>& target) {
  Report report(platform, inputs.config.reportName);
  report.reset();
  ReportWriter writer(report, inputs.movements.entries, inputs.config.openingBalance);
  walkDays(writer, inputs.movements, inputs.config.openingBalance, first, last, target);
  return {inputs.config.reportName, report.wholeWritten()};
}

} // namespace

WrittenReport runToDate(Platform& platform, const RunInputs& inputs, const DateParts& first,
                        const DateParts& last) {
  return run(platform, inputs, first, last, std::nullopt);
}

WrittenReport runToAmount(Platform& platform, const RunInputs& inputs, const ExactAmount& target) {
  return run(platform, inputs, inputs.config.start, inputs.config.end, target);
}

} // namespace balvix
