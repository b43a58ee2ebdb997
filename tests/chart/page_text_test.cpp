#include "chart/page_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace balvix {
namespace {

// The numbers of the page's data are the report's amounts, rounded the same
// way (an exact half to the even cent, judged on 18 digits); the page writes
// them as the report does, with a 0 before "'".
TEST(PageJson, AmountsAreTheReportsAmounts) {
  struct Case {
    double value;
    std::string json;
    std::string page; // empty: not checked
  } cases[] = {
      {1234.5, "1234.50", "1.234'50"},
      {1234567.5, "1234567.50", "1.234.567'50"},
      {0.5, "0.50", "0'50"},
      {0, "0.00", "0'00"},
      {-250, "-250.00", "-250'00"},
      {-0.125, "-0.12", "-0'12"},
      {0.375, "0.38", "0'38"},
      {999.999, "1000.00", "1.000'00"},
      {1000.245, "1000.24", ""},
      {-0.004, "0.00", "0'00"},
      {-0.006, "-0.01", "-0'01"},
      {1e15, "1000000000000000.00", "1.000.000.000.000.000'00"},
      {std::numeric_limits<double>::infinity(), "null", ""},
      {std::nan(""), "null", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(jsonAmount(c.value), c.json) << c.value;
    if (!c.page.empty()) {
      EXPECT_EQ(pageAmount(c.value), c.page) << c.value;
    }
    if (c.json != "null") {
      EXPECT_EQ(roundedToCent(c.value), std::stod(c.json)) << c.value;
    }
  }
  EXPECT_TRUE(std::isnan(roundedToCent(std::nan(""))));
}

TEST(PageText, EscapedForHtmlAndJson) {
  struct Case {
    std::string cp1252;
    std::string html;
    std::string json;
  } cases[] = {
      {"Alquiler", "Alquiler", "\"Alquiler\""},
      {"</script><b>&\"'", "&lt;/script&gt;&lt;b&gt;&amp;&quot;&#39;",
       "\"\\u003c/script\\u003e\\u003cb\\u003e\\u0026\\\"'\""},
      {"a\\b", "a\\b", "\"a\\\\b\""},
      {"Due\xF1o \x80 \x93", "Due\xC3\xB1o \xE2\x82\xAC \xE2\x80\x9C",
       "\"Due\xC3\xB1o \xE2\x82\xAC \xE2\x80\x9C\""},
      {std::string("a\0b\x01\x7F\x81", 6), "a b   ", "\"a\\u0000b\\u0001\x7F\xC2\x81\""},
      {"l\xEDnea\nsigue\tcon tab", "l\xC3\xADnea\nsigue\tcon tab",
       "\"l\xC3\xADnea\\u000asigue\\u0009con tab\""},
  };
  for (const Case& c : cases) {
    std::string html;
    appendHtmlEscaped(html, c.cp1252);
    EXPECT_EQ(html, c.html);
    std::string json;
    appendJsonString(json, c.cp1252);
    EXPECT_EQ(json, c.json);
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
