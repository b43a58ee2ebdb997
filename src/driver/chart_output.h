#pragma once

#include "input/scenarios.h"
#include "projection/run_span.h"

#include <string>
#include <string_view>

namespace balvix {

// The bytes a page is made from: "config.txt", "entrada.txt" and the argument
// of the run (the scenario files are in their scenarios). The page carries
// them, so that its engine can walk them again.
struct PageSources {
  std::string_view config;
  std::string_view entries;
  std::string_view argument;
};

// The chart page of a run (chartPage, its lines ended by a line feed), and
// whether the walk of the plan ended on a balance beyond any number.
struct ChartOutput {
  std::string page;
  bool balanceOverflowed = false;
};

// Walks the plan of `inputs` and each of `scenarios` over `span`, and makes
// the page of the run, which carries `sources`.
ChartOutput chartOutputOf(const RunInputs& inputs, const ScenariosRead& scenarios,
                          const RunSpan& span, const PageSources& sources);

} // namespace balvix
