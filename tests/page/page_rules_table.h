#pragma once

#include <string_view>

namespace balvix {

// tests/chart/page_rules.txt, embedded into the tests when they are built.
std::string_view pageRulesTable();

} // namespace balvix
