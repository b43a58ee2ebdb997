#include "input/scenario_name.h"

#include "input/scenario_names_table.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace balvix {
namespace {

// A name of the table, its \u{HEX} written as the character (UTF-8).
std::string nameOf(std::string_view field) {
  std::string name;
  for (std::size_t at = 0; at < field.size(); ++at) {
    if (field.substr(at).starts_with("\\u{")) {
      const std::size_t end = field.find('}', at);
      appendUtf8(name, static_cast<char32_t>(std::stoul(
                           std::string(field.substr(at + 3, end - at - 3)), nullptr, 16)));
      at = end;
    } else {
      name += field[at];
    }
  }
  return name;
}

// Each name of the table the page's script passes too gets its own message.
TEST(ScenarioName, SharedWithThePageScript) {
  std::string_view table = scenarioNamesTable();
  int rows = 0;
  while (!table.empty()) {
    const std::string_view line = table.substr(0, table.find('\n'));
    table.remove_prefix(std::min(table.size(), line.size() + 1));
    if (line.empty() || line.front() == '#') {
      continue;
    }
    const std::size_t bar = line.find('|');
    ASSERT_NE(bar, std::string_view::npos) << line;
    EXPECT_EQ(typedScenarioNameFault(nameOf(line.substr(0, bar))), line.substr(bar + 1)) << line;
    ++rows;
  }
  EXPECT_GT(rows, 30);
}

} // namespace
} // namespace balvix
