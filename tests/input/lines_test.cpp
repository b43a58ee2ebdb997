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
                                   {"a\r\nb\x1A"
                                    "c\x1A"
                                    "d",
                                    {"a", "b"}},
                                   {"\xEF\xBB\xBF"
                                    "a\r\n\xEF\xBB\xBF"
                                    "b",
                                    {"a", "\xEF\xBB\xBF"
                                          "b"}},
                                   {"", {}}};
  for (const Case& c : cases) {
    EXPECT_EQ(splitLines(c.text), c.lines) << c.text;
  }
  const std::string longLine(100000, 'x');
  EXPECT_EQ(splitLines(longLine + "\r\n"), std::vector<std::string_view>{longLine});
}

// Only further 26s, blanks, tabs and line ends may follow a byte 26.
TEST(SplitLines, TextAfterTheEnd) {
  const std::pair<std::string, bool> cases[] = {{"a\r\n", false},
                                                {"a\x1A", false},
                                                {"a\x1A\x1A \t\r\n\r", false},
                                                {"a\x1A"
                                                 "b",
                                                 true},
                                                {"\x1A\r\n\x01", true},
                                                {"a\r\n\x1A\r\n;", true},
                                                {"a\x1A\r\n\xA0", true}};
  for (const auto& [text, after] : cases) {
    EXPECT_EQ(hasTextAfterEnd(text), after) << text;
  }
}

} // namespace
} // namespace balvix
