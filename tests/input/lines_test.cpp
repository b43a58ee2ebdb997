#include "input/lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace balvix {
namespace {

TEST(SplitLines, LineEnds) {
  struct Case {
    std::string text;
    std::vector<std::string_view> lines;
  };
  const std::vector<Case> cases = {{"a\r\nb", {"a", "b"}},
                                   {"a\rb\r", {"a", "b"}},
                                   {"a\nb\n", {"a", "b"}},
                                   {"a\nb\r\nc\rd", {"a", "b", "c", "d"}},
                                   {"a\r\n", {"a"}},
                                   {"a\r\r\nb", {"a", "", "b"}},
                                   {"a\n\nb", {"a", "", "b"}},
                                   {"a\n\rb", {"a", "", "b"}},
                                   {"\n\r\n", {"", ""}},
                                   {"a\r\n\x1A"
                                    "b\r\nc",
                                    {"a"}},
                                   {"a\x1A", {"a"}},
                                   {"", {}}};
  for (const Case& c : cases) {
    EXPECT_EQ(splitLines(c.text), c.lines) << c.text;
  }
  const std::string longLine(100000, 'x');
  EXPECT_EQ(splitLines(longLine + "\r\n"), std::vector<std::string_view>{longLine});
}

TEST(CountNonEmptyLines, CountsLinesWithText) {
  const std::vector<std::pair<std::string, std::size_t>> cases = {{"a\r\n\r\nb\r\n", 2},
                                                                  {"a", 1},
                                                                  {"", 0},
                                                                  {"   \r\n", 1},
                                                                  {";x\r\ny", 2},
                                                                  {"a\nb\nc", 3},
                                                                  {"a\n\n\nb\n", 2},
                                                                  {"\r\n\r\n", 0},
                                                                  {"a\r\n\x1A"
                                                                   "b",
                                                                   1}};
  for (const auto& [text, count] : cases) {
    EXPECT_EQ(countNonEmptyLines(text), count) << text;
  }
}

} // namespace
} // namespace balvix
