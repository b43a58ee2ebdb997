#pragma once

#include "calendar/calendar.h"
#include "input/scenarios.h"
#include "projection/run_span.h"

#include <optional>
#include <string>
#include <string_view>

namespace balvix {

// The percents a line beside the plan scales the amounts by: its "quitar"
// ones from -100 to 1000, its "poner" ones from -100 to 100; a missing
// percent leaves those amounts as they are.
struct Scaling {
  std::optional<int> expenses;
  std::optional<int> income;
};

// The percent of `text` ("10", "-5"; digits with a "-" or "+" before them)
// when it lies from -100 to `most`; nothing otherwise.
std::optional<int> percentOf(std::string_view text, int most);

// The name of the line of `scaling` (Windows-1252): "gastos +10 %,
// ingresos -5 %", or the one percent given ("gastos +10 %").
std::string scaledLineName(const Scaling& scaling);

// The line "gastos/ingresos": the plan's movements with their amounts scaled
// (scaledAmount), walked from today, or from the span's first day when
// today is before it. Its walk starts with the plan's balance at the start
// of that day, or, with `fromTodaysBalance`, where the other lines beside
// the plan start (today with today's balance). Nothing without a percent,
// or when today is after the plan's walk.
std::optional<Scenario> scaledLine(const RunInputs& inputs, const RunSpan& span,
                                   const DateParts& today, const Scaling& scaling,
                                   bool fromTodaysBalance);

} // namespace balvix
