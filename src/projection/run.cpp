#include "projection/run.h"

#include "projection/engine.h"
#include "projection/report.h"

#include <optional>

namespace balvix {

namespace {

void run(Platform& platform, const RunInputs& inputs, const DateParts& first, const DateParts& last,
         const std::optional<ExactAmount>& target) {
  Report report(platform, inputs.config.reportName);
  report.reset();
  ReportWriter writer(report, inputs.movements.entries, inputs.config.openingBalance);
  walkDays(writer, inputs.movements, inputs.config.openingBalance, first, last, target);
  if (!report.wholeWritten()) {
    platform.showMessage(reportIncompleteMessage);
  }
  report.open();
}

} // namespace

void runToDate(Platform& platform, const RunInputs& inputs, const DateParts& first,
               const DateParts& last) {
  run(platform, inputs, first, last, std::nullopt);
}

void runToAmount(Platform& platform, const RunInputs& inputs, const ExactAmount& target) {
  run(platform, inputs, inputs.config.start, inputs.config.end, target);
}

} // namespace balvix
