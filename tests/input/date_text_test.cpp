#include "input/date_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace balvix {
namespace {

// The shape alone lets through days that do not exist; the real-day rule
// counts month lengths and leap years.
TEST(DateText, ShapeAndRealDay) {
  const std::vector<std::string> real = {"01/01/2014", "31/12/2013", "29/02/2012", "29/02/2000",
                                         "30/04/2013"};
  const std::vector<std::string> shapeOnly = {"31/02/2014", "29/02/2013", "29/02/1900",
                                              "31/04/2013", "31/11/2013"};
  const std::vector<std::string> neither = {"1/1/2014",   "00/01/2014", "01/00/2014", "01/01/0000",
                                            "0a/01/2014", "01/01/201/", "int",        ""};
  for (const std::string& text : real) {
    EXPECT_TRUE(isValidDateText(text)) << text;
    EXPECT_EQ(realDateOf(text), datePartsOf(text)) << text;
  }
  for (const std::string& text : shapeOnly) {
    EXPECT_TRUE(isValidDateText(text) && !realDateOf(text)) << text;
  }
  for (const std::string& text : neither) {
    EXPECT_FALSE(isValidDateText(text) || realDateOf(text)) << text;
  }
}

TEST(DateText, Parts) {
  EXPECT_EQ(datePartsOf("05/01/2014"), (DateParts{5, 1, 2014}));
  EXPECT_EQ(datePartsOf("31/02/0001"), (DateParts{31, 2, 1}));
  EXPECT_EQ(datePartsOf("int"), (DateParts{0, 0, 0}));
  EXPECT_EQ(datePartsOf(""), (DateParts{0, 0, 0}));
  EXPECT_EQ(datePartsOf("ab/cd1e99"), (DateParts{0, 0, std::numeric_limits<int>::max()}));
}

} // namespace
} // namespace balvix
