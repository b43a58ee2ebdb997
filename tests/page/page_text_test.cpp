#include "page/page_text.h"

#include "page/page_rules_table.h"
#include "projection/money.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace balvix {
namespace {

// The fields of each line of the table of rules shared with the page's
// script, comments and empty lines left out.
std::vector<std::vector<std::string>> pageRules() {
  std::vector<std::vector<std::string>> rules;
  std::string_view table = pageRulesTable();
  while (!table.empty()) {
    const std::string_view line = table.substr(0, table.find('\n'));
    table.remove_prefix(std::min(table.size(), line.size() + 1));
    if (line.empty() || line.front() == '#') {
      continue;
    }
    std::vector<std::string> fields(1);
    for (char c : line) {
      if (c == '|') {
        fields.emplace_back();
      } else {
        fields.back().push_back(c);
      }
    }
    rules.push_back(fields);
  }
  return rules;
}

// An amount given as digits with at most one point, held exactly.
ExactAmount exactAmountOf(const std::string& text) {
  const std::size_t point = std::min(text.find('.'), text.size());
  std::string units = text.substr(0, point);
  std::string fraction = text.substr(std::min(point + 1, text.size()));
  units.erase(0, units.find_first_not_of('0'));
  fraction.erase(fraction.find_last_not_of('0') + 1);
  return {units, fraction};
}

// The calendar's weekday names, by the page's.
std::string calendarWeekday(const std::string& pageName) {
  const std::pair<std::string, std::string> names[] = {{"lunes", "Lunes"},
                                                       {"martes", "Martes"},
                                                       {"mi\xC3\xA9rcoles", "Mi\xE9rcoles"},
                                                       {"jueves", "Jueves"},
                                                       {"viernes", "Viernes"},
                                                       {"s\xC3\xA1"
                                                        "bado",
                                                        "Sabado"},
                                                       {"domingo", "Domingo"}};
  for (const auto& [page, calendar] : names) {
    if (page == pageName) {
      return calendar;
    }
  }
  return "no weekday " + pageName;
}

// The page's amounts, targets, dates and months are those of the table the
// page's script passes too.
TEST(PageRules, SharedWithThePageScript) {
  const auto rules = pageRules();
  ASSERT_GT(rules.size(), 30u);
  for (const std::vector<std::string>& rule : rules) {
    const std::string& kind = rule[0];
    ASSERT_EQ(rule.size(), kind == "amount" || kind == "date" || kind == "sum" ? 4u : 3u)
        << rule[1];
    if (kind == "amount") {
      const double value = std::stod(rule[1]);
      EXPECT_EQ(pageAmount(value), rule[2]) << rule[1];
      EXPECT_EQ(jsonAmount(value), rule[3]) << rule[1];
      EXPECT_EQ(roundedToCent(value), std::stod(rule[3])) << rule[1];
    } else if (kind == "sum") {
      EXPECT_EQ(pageAmount(std::stod(rule[1])), rule[2]) << rule[1];
    } else if (kind == "target") {
      std::string text;
      appendExactAmount(text, exactAmountOf(rule[1]));
      EXPECT_EQ(text, rule[2]) << rule[1];
    } else if (kind == "date") {
      const DateParts date{std::stoi(rule[1].substr(8)), std::stoi(rule[1].substr(5, 2)),
                           std::stoi(rule[1].substr(0, 4))};
      EXPECT_EQ(isoDate(date), rule[1]);
      EXPECT_EQ(dateText(date), rule[2]);
      EXPECT_EQ(weekdayName(date.year, date.month, date.day), calendarWeekday(rule[3])) << rule[1];
    } else {
      ASSERT_EQ(kind, "month");
      const int year = std::stoi(rule[1].substr(0, 4));
      const int month = std::stoi(rule[1].substr(5));
      EXPECT_EQ(isoMonth(year, month), rule[1]);
      EXPECT_EQ(std::string(monthName(month)) + ' ' + yearText(year), rule[2]);
    }
  }
}

// The cent of any amount is the one its hundredths' digits read back give:
// amounts near a half cent and far from one, small and large.
TEST(PageJson, CentsAsTheirDigitsReadBack) {
  std::uint64_t seed = 12345;
  const auto next = [&seed] { return seed = seed * 6364136223846793005U + 1442695040888963407U; };
  for (int i = 0; i < 200000; ++i) {
    const double scale = std::pow(10.0, static_cast<double>(next() % 20) - 3);
    double value = static_cast<double>(next() >> 11) / 9007199254740992.0 * scale;
    if (i % 3 == 0) {
      value = std::round(value * 1000) / 1000 + 0.005; // about a half cent
    }
    value = i % 2 == 0 ? value : -value;
    const std::string digits = roundedHundredths(value);
    const double exact = digits.empty() ? 0 : std::strtod((digits + "e-2").c_str(), nullptr);
    ASSERT_EQ(roundedToCent(value), value < 0 && !digits.empty() ? -exact : exact) << value;
  }
}

// Amounts that are not finite have no number in the page's data.
TEST(PageJson, NoNumberForWhatIsNotFinite) {
  for (double value : {std::numeric_limits<double>::infinity(), std::nan("")}) {
    EXPECT_EQ(jsonAmount(value), "null");
    EXPECT_TRUE(std::isnan(roundedToCent(value)));
  }
}

TEST(PageText, EscapedForHtmlAndJson) {
  struct Case {
    std::string cp1252;
    std::string html;
    std::string json;
    std::string bytes; // one character per byte
  } cases[] = {
      {"Alquiler", "Alquiler", "\"Alquiler\"", "\"Alquiler\""},
      {"</script><b>&\"'", "&lt;/script&gt;&lt;b&gt;&amp;&quot;&#39;",
       "\"\\u003c/script\\u003e\\u003cb\\u003e\\u0026\\\"'\"",
       "\"\\u003c/script\\u003e\\u003cb\\u003e\\u0026\\\"'\""},
      {"a\\b", "a\\b", "\"a\\\\b\"", "\"a\\\\b\""},
      {"Due\xF1o \x80 \x93", "Due\xC3\xB1o \xE2\x82\xAC \xE2\x80\x9C",
       "\"Due\xC3\xB1o \xE2\x82\xAC \xE2\x80\x9C\"", "\"Due\\u00f1o \\u0080 \\u0093\""},
      {std::string("a\0b\x01\x7F\x81", 6), "a b   ", "\"a\\u0000b\\u0001\x7F\xC2\x81\"",
       "\"a\\u0000b\\u0001\\u007f\\u0081\""},
      {"l\xEDnea\nsigue\tcon tab", "l\xC3\xADnea\nsigue\tcon tab",
       "\"l\xC3\xADnea\\u000asigue\\u0009con tab\"", "\"l\\u00ednea\\u000asigue\\u0009con tab\""},
  };
  for (const Case& c : cases) {
    std::string html;
    appendHtmlEscaped(html, c.cp1252);
    EXPECT_EQ(html, c.html);
    std::string json;
    appendJsonString(json, c.cp1252);
    EXPECT_EQ(json, c.json);
    std::string bytes;
    appendJsonBytes(bytes, c.cp1252);
    EXPECT_EQ(bytes, c.bytes);
  }
  // The module of the page's engine, in base64 (the vectors of RFC 4648).
  for (const auto& [text, base64] :
       std::vector<std::pair<std::string, std::string>>{{"", ""},
                                                        {"f", "Zg=="},
                                                        {"fo", "Zm8="},
                                                        {"foo", "Zm9v"},
                                                        {"foobar", "Zm9vYmFy"},
                                                        {std::string("\xFF\xFE\0", 3), "//4A"}}) {
    std::string out;
    appendBase64(out, std::string_view(text.data(), text.size()));
    EXPECT_EQ(out, base64) << text;
  }
}

TEST(PageText, DatesOfEveryYear) {
  struct Case {
    DateParts date;
    std::string text;
    std::string iso;
  } cases[] = {
      {{1, 1, 1}, "01/01/0001", "0001-01-01"},
      {{5, 3, 2027}, "05/03/2027", "2027-03-05"},
      {{31, 12, 9999}, "31/12/9999", "9999-12-31"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(dateText(c.date), c.text);
    EXPECT_EQ(isoDate(c.date), c.iso);
  }
}

} // namespace
} // namespace balvix
