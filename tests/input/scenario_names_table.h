#pragma once

#include <string_view>

namespace balvix {

// tests/input/scenario_names.txt, embedded into the tests when they are built.
std::string_view scenarioNamesTable();

} // namespace balvix
