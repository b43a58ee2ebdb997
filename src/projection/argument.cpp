#include "projection/argument.h"

#include "input/date_text.h"
#include "input/numeric_value.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace balvix {

std::string argumentTextOf(std::string_view commandTail) {
  return std::string(commandTail.substr(0, maxArgumentLength));
}

std::string argumentTextOf(std::string_view commandTail, bool noArgumentIsWholePeriod) {
  std::string text = argumentTextOf(commandTail);
  return text.empty() && noArgumentIsWholePeriod ? std::string("int") : text;
}

namespace {

// The amount of a text of digits with at most one point, exactly: "007.50"
// is {"7", "5"}.
std::optional<ExactAmount> amountOf(std::string_view text) {
  if (!isPlainDecimal(text)) {
    return std::nullopt;
  }
  std::size_t point = std::min(text.find('.'), text.size());
  std::string_view units = text.substr(0, point);
  std::string_view fraction = text.substr(std::min(point + 1, text.size()));
  units.remove_prefix(std::min(units.find_first_not_of('0'), units.size()));
  fraction.remove_suffix(fraction.size() -
                         std::min(fraction.find_last_not_of('0') + 1, fraction.size()));
  return ExactAmount{std::string(units), std::string(fraction)};
}

} // namespace

Argument classifyArgument(std::string_view argumentText) {
  if (std::optional<ExactAmount> amount = amountOf(argumentText)) {
    return {RunMode::amount, std::move(*amount), {}};
  }
  std::string_view firstWord = argumentText.substr(0, argumentText.find(' '));
  Argument argument;
  if (std::optional<DateParts> date = realDateOf(firstWord)) {
    argument.mode = RunMode::date;
    argument.date = *date;
  } else if (firstWord == "int") {
    argument.mode = RunMode::interval;
  }
  // A word that follows a blank is one word too many.
  if (argumentText.empty() || argumentText.find(' ') != std::string_view::npos) {
    return {};
  }
  return argument;
}

std::optional<RunSpan> runSpanOf(const RunConfig& config, const Argument& argument) {
  switch (argument.mode) {
  case RunMode::interval:
    return RunSpan{config.start, config.end, std::nullopt, RunGoal::wholePeriod};
  case RunMode::amount:
    return RunSpan{config.start, config.end, argument.target, RunGoal::toAmount};
  case RunMode::date:
    if (config.start < argument.date && argument.date < config.end) {
      return RunSpan{config.start, argument.date, std::nullopt, RunGoal::toDate};
    }
    return std::nullopt;
  case RunMode::usage:
    break;
  }
  return std::nullopt;
}

} // namespace balvix
