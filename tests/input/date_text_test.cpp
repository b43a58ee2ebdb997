#include "input/date_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace balvix {
namespace {

// One reader for every date: the shape dd/mm/aaaa, and a day that exists,
// month lengths and leap years counted.
TEST(DateText, RealDaysOnly) {
  const std::pair<std::string, std::optional<DateParts>> cases[] = {
      {"01/01/2014", DateParts{1, 1, 2014}},
      {"31/12/2013", DateParts{31, 12, 2013}},
      {"29/02/2012", DateParts{29, 2, 2012}},
      {"29/02/2000", DateParts{29, 2, 2000}},
      {"29/02/1600", DateParts{29, 2, 1600}},
      {"30/04/2013", DateParts{30, 4, 2013}},
      {"01/01/0001", DateParts{1, 1, 1}},
      {"31/12/9999", DateParts{31, 12, 9999}},
      {"31/02/2014", std::nullopt},
      {"29/02/2013", std::nullopt},
      {"29/02/1900", std::nullopt},
      {"31/04/2013", std::nullopt},
      {"31/06/2013", std::nullopt},
      {"31/09/2013", std::nullopt},
      {"31/11/2013", std::nullopt},
      {"00/01/2014", std::nullopt},
      {"01/00/2014", std::nullopt},
      {"15/13/2013", std::nullopt},
      {"01/01/0000", std::nullopt},
      {"99/99/9999", std::nullopt},
      {"1/1/2014", std::nullopt},
      {"0a/01/2014", std::nullopt},
      {"01/01/201/", std::nullopt},
      {"01/012014/", std::nullopt},
      {"01/1/52014", std::nullopt},
      {"01-01-2014", std::nullopt},
      {"01/01/20145", std::nullopt},
      {"int", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [text, date] : cases) {
    EXPECT_EQ(realDateOf(text), date) << text;
  }
}

} // namespace
} // namespace balvix
