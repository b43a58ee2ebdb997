#include "input/numeric_value.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace balvix {
namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

struct Case {
  std::string text;
  double value;
};

void expectValues(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(numericValue(c.text), c.value) << c.text;
  }
}

TEST(NumericValue, DecimalForms) {
  expectValues({{" \t\r\n12", 12},
                {"+3", 3},
                {"-3", -3},
                {".5", 0.5},
                {"5.", 5},
                {"0.1", 0.1},
                {"1,5", 1},
                {"12abc", 12},
                {"1.2.3", 1.2},
                {"abc", 0},
                {"", 0},
                {".", 0},
                {"- 5", 0},
                {"0x1p3", 0},
                {"inf", 0},
                {"nan", 0},
                {"3.14159265358979323846", 3.14159265358979323846},
                // The nearest double, whether read by the short route (at
                // most 15 digits and 10^22) or the general one.
                {"1850.50", 1850.50},
                {"0.07", 0.07},
                {"999999999999999", 999999999999999.0},
                {"9999999999999999", 9999999999999999.0},
                {"123456789012345.6", 123456789012345.6},
                // 16 digits whose whole number is beyond 2^53: not for the
                // short route, which would round it twice.
                {"981599141980314.5", 981599141980314.5},
                {"949.9935341904599", 949.9935341904599},
                {"0.0000000000000000000001", 1e-22},
                {"0.00000000000000000000001", 1e-23},
                {"4.35e22", 4.35e22},
                {"8.9e-21", 8.9e-21}});
}

TEST(NumericValue, ExponentForms) {
  expectValues({{"1e3", 1000},
                {"1E3", 1000},
                {"1d2", 100},
                {"1D-2", 0.01},
                {"2e+2", 200},
                {".5e1", 5},
                {"5e", 5},
                {"5e+", 5},
                {"3dia", 3},
                {"e5", 0},
                {"7e0x", 7}});
}

TEST(NumericValue, RadixForms) {
  expectValues({{"&H1F", 31},
                {"&hff", 255},
                {"&B101", 5},
                {"&b102", 2},
                {"&O17", 15},
                {"&q17", 15},
                {"&17", 15},
                {"&18", 1},
                {"&", 0},
                {"&X1", 0},
                {"  &H10", 16}});
}

TEST(NumericValue, OutOfRange) {
  expectValues({{"1e999", infinity},
                {"-1e999", -infinity},
                {std::string(400, '9'), infinity},
                {"1e99999999999999999999", infinity},
                {"&H" + std::string(300, 'F'), infinity},
                {"1e-999", 0},
                {"1.7976931348623157e308", 1.7976931348623157e308},
                {"4.9e-324", 4.9e-324},
                // Just past the largest and the smallest double, by the
                // general route.
                {"1.8e308", infinity},
                {"-17976931348623159e292", -infinity},
                {"2.4703282292062327e-324", 0},
                {"2.4703282292062328e-324", 4.9e-324}});
}

// How many characters the number took, leading blanks and "&" included.
TEST(NumericValue, LengthOfTheNumberRead) {
  const std::vector<std::pair<std::string, std::size_t>> cases = {
      {"1.850.50", 5}, {"1 850", 1}, {" \t10EUR2", 4}, {"10E", 2}, {"1e+3x", 4},
      {"-.5-", 3},     {"&H1Fz", 4}, {" &17 ", 4},     {"abc", 0}, {".", 0},
      {"&X1", 0},      {"&H", 0},    {"", 0}};
  for (const auto& [text, length] : cases) {
    EXPECT_EQ(numericPrefix(text).length, length) << text;
    EXPECT_EQ(numericPrefix(text).value, numericValue(text)) << text;
  }
}

} // namespace
} // namespace balvix
