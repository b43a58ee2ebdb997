#include "projection/run.h"

#include "projection/engine.h"
#include "projection/report.h"

#include <optional>

namespace balvix {

namespace {

WrittenReport run(Platform& platform, const RunInputs& inputs, const DateParts& first,
                  const DateParts& last, std::optional<double> target) {
  Report report(platform, inputs.config.reportName);
  double balance =
      walkDays(report, inputs.movements, inputs.config.openingBalance, first, last, target);
  report.appendLine("");
  report.appendLine("");
  report.appendLine(closingLine(balance));
  return {inputs.config.reportName, report.wholeWritten()};
}

} // namespace

WrittenReport runToDate(Platform& platform, const RunInputs& inputs, const DateParts& first,
                        const DateParts& last) {
  return run(platform, inputs, first, last, std::nullopt);
}

WrittenReport runToAmount(Platform& platform, const RunInputs& inputs,
                          std::string_view targetText) {
  return run(platform, inputs, inputs.config.start, inputs.config.end, targetAmountOf(targetText));
}

} // namespace balvix
