#pragma once

#include "calendar/calendar.h"
#include "input/run_config.h"
#include "projection/money.h"
#include "projection/run_span.h"

#include <optional>
#include <string>
#include <string_view>

namespace balvix {

// What the command-line argument asks for.
enum class RunMode {
  usage,    // no argument, or one of no accepted form: the usage text is shown
  amount,   // digits with at most one ".": run until the balance reaches that amount
  date,     // a real day dd/mm/aaaa: run up to that day
  interval, // "int": run the whole period
};

// The longest argument text kept; the rest of the command tail is dropped
// without notice before any test is made.
inline constexpr std::size_t maxArgumentLength = 21;

// The command tail as every test and run sees it: its first 21 characters.
std::string argumentTextOf(std::string_view commandTail);

// As argumentTextOf, and "int" for an empty tail when the program projects
// the whole period without an argument (balvix-grafico).
std::string argumentTextOf(std::string_view commandTail, bool noArgumentIsWholePeriod);

// What an argument text asks for: the run mode; in amount mode, the amount
// to reach, read exactly from its digits ("45000.90", ".5", "5."; a lone "."
// holds no digit and shows the usage text); in date mode, the day.
struct Argument {
  RunMode mode = RunMode::usage;
  ExactAmount target;
  DateParts date;
};

Argument classifyArgument(std::string_view argumentText);

// The days a run of `argument` walks in the period of `config`: all of them
// for "int", and to the amount's day at most for an amount; for a date, from
// the first day up to it when it lies strictly inside the period. Nothing for
// a date elsewhere, and for the usage.
std::optional<RunSpan> runSpanOf(const RunConfig& config, const Argument& argument);

} // namespace balvix
