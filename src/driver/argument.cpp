#include "driver/argument.h"

#include "calendar/calendar.h"
#include "input/date_text.h"

#include <algorithm>

namespace balvix {

std::string argumentTextOf(std::string_view commandTail) {
  return std::string(commandTail.substr(0, maxArgumentLength));
}

namespace {

bool isAmountText(std::string_view text) {
  return !text.empty() && text.find_first_not_of("1234567890.") == std::string_view::npos &&
         std::count(text.begin(), text.end(), '.') <= 1;
}

} // namespace

bool isValidCalendarDate(std::string_view text) {
  return isRealDay(datePartsOf(text));
}

RunMode classifyArgument(std::string_view argumentText) {
  if (isAmountText(argumentText)) {
    return RunMode::amount;
  }
  std::string_view firstWord = argumentText.substr(0, argumentText.find(' '));
  RunMode mode = RunMode::usage;
  if (isValidDateText(firstWord) && isValidCalendarDate(firstWord)) {
    mode = RunMode::date;
  } else if (firstWord == "int") {
    mode = RunMode::interval;
  }
  // A word that follows a blank is one word too many.
  if (argumentText.empty() || argumentText.find(' ') != std::string_view::npos) {
    return RunMode::usage;
  }
  return mode;
}

} // namespace balvix
