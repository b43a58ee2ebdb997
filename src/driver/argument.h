#pragma once

#include <string>
#include <string_view>

namespace balvix {

// What the command-line argument asks for.
enum class RunMode {
  usage,    // no argument, or one of no accepted form: the usage text is shown
  amount,   // digits with at most one ".": run until the balance reaches it
  date,     // a real day dd/mm/aaaa: run up to that day
  interval, // "int": run the whole period
};

// The longest argument text kept; the rest of the command tail is dropped
// without notice before any test is made.
inline constexpr std::size_t maxArgumentLength = 21;

// The command tail as every test and run sees it: its first 21 characters.
std::string argumentTextOf(std::string_view commandTail);

// The run mode an argument text selects.
RunMode classifyArgument(std::string_view argumentText);

// True when a date text names a day that exists (day 1 to the length of its
// month, leap years counted). Any text gives an answer without failing; a text
// that is not a date gives false.
bool isValidCalendarDate(std::string_view text);

} // namespace balvix
