#pragma once

#include <string_view>

namespace balvix {

// tests/page/page_rules.txt, embedded into the tests when they are built.
std::string_view pageRulesTable();

// tests/page/file_rules.json, what the page hands its scripts of the
// program's files (file_rules.h), as node gives it to them.
std::string_view fileRulesBlock();

} // namespace balvix
