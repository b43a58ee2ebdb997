#include "projection/money.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace balvix {
namespace {

struct Case {
  double value;
  std::string_view text;
};

void expectTexts(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(formatMoney(c.value), c.text) << "value " << c.value;
  }
}

TEST(FormatMoney, GroupsAndDecimals) {
  expectTexts({{1000, "1.000'00"},
               {45000.9, "45.000'90"},
               {1234567.5, "1.234.567'50"},
               {999.999, "1.000'00"},
               {12.5, "12'50"},
               {0.5, "'50"},
               {0, "'00"},
               {-250, "-250'00"},
               {0.05, "'05"},
               {999, "999'00"},
               {100000, "100.000'00"},
               {99.995, "100'00"}});
}

// An exact half goes to the even hundredth; the half is judged on the first 18
// significant digits: 1000.245 lies above the half in binary but reads
// 1000.24500000000000, while 0.005 reads 0.00500000000000000010.
TEST(FormatMoney, HalvesGoToEven) {
  expectTexts({{0.125, "'12"},
               {0.375, "'38"},
               {0.625, "'62"},
               {1000000.375, "1.000.000'38"},
               {1000.245, "1.000'24"},
               {1000.255, "1.000'26"},
               {1.005, "1'00"},
               {0.005, "'01"},
               {-0.125, "-'12"},
               {2.675, "2'67"}, // 2.67499999999999982
               {99999.995, "99.999'99"},
               {0.995, "'99"},
               {0.0015, "'00"},
               {999999999999999.875, "999.999.999.999.999'88"}});
}

TEST(FormatMoney, NegativesWithoutNegativeZero) {
  expectTexts({{-0.5, "-'50"},
               {-1234567.5, "-1.234.567'50"},
               {-0.006, "-'01"},
               {-0.0, "'00"},
               {-0.000000001, "'00"},
               {-0.0049, "'00"},
               {-std::numeric_limits<double>::denorm_min(), "'00"}});
}

TEST(FormatMoney, LargeAmountsWriteAllDigits) {
  expectTexts({{1e15, "1.000.000.000.000.000'00"},
               {1000000000000000.125, "1.000.000.000.000.000'12"},
               {-1e20, "-100.000.000.000.000.000.000'00"},
               {1e23, "99.999.999.999.999.991.600.000'00"},
               {std::numeric_limits<double>::infinity(), "inf"},
               {std::nan(""), "nan"}});
  std::string huge = formatMoney(std::numeric_limits<double>::max());
  EXPECT_EQ(huge.substr(0, 8), "179.769.");
  EXPECT_EQ(huge.size(), 309u + 102 + 3);
  EXPECT_EQ(formatMoney(-std::numeric_limits<double>::max()), "-" + huge); // the longest text
}

// The rule itself, slowly: the value to 18 significant digits as printf
// writes them (exactly rounded), then to hundredths, an exact half to even.
std::string hundredthsByTheRule(double magnitude) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17e", magnitude);
  std::string digits(1, text[0]);
  digits.append(text + 2, 17);
  int kept = std::atoi(std::strchr(text, 'e') + 1) + 3; // digits up to the hundredths
  if (kept < 0) {
    return "0";
  }
  std::string whole(1, '0');
  whole += digits.substr(0, static_cast<std::size_t>(kept));
  std::string rest = digits.substr(static_cast<std::size_t>(kept));
  bool beyondHalf = rest.find_first_not_of('0', 1) != std::string::npos;
  bool up = !rest.empty() &&
            (rest[0] > '5' || (rest[0] == '5' && (beyondHalf || (whole.back() - '0') % 2 == 1)));
  return std::to_string(std::stoull(whole) + (up ? 1 : 0));
}

// Amounts of every size below 10^13, many of them a hair from a half
// hundredth and a third of them negative, written as the rule says and
// grouped as the digits' own grouping writes them.
TEST(FormatMoney, AgreesWithTheRuleOnManyAmounts) {
  std::mt19937_64 random(13);
  for (int i = 0; i < 200000; ++i) {
    double cents = static_cast<double>(random() % 1000000000000000ull) /
                   static_cast<double>(1ull << (random() % 40));
    double value = (cents + (i % 2 == 0 ? 0.5 : 0.0)) / 100 * (i % 3 == 0 ? -1 : 1);
    std::string expected = hundredthsByTheRule(std::fabs(value));
    std::string grouped;
    appendGrouped(grouped, value < 0, expected == "0" ? "" : expected);
    ASSERT_EQ(formatMoney(value), grouped) << " from " << value;
  }
}

// A target is reached by the balance as written, compared exactly.
TEST(FormatMoney, TargetReachedAsWritten) {
  struct Case {
    double balance;
    ExactAmount target;
    bool reached;
  };
  const Case cases[] = {
      {0.7 + 0.1, {"", "8"}, true},
      {0.7 + 0.1, {"", "801"}, false},
      {0.7 + 0.1, {"", "81"}, false},
      {0.005, {"", "01"}, true}, // written '01
      {-0.004, {"", ""}, true},  // written '00
      {-0.006, {"", ""}, false},
      {-5, {"", ""}, false},
      {99.995, {"100", ""}, true},
      {1e20, {"100000000000000000000", ""}, true},
      {1e20, {"100000000000000000000", "001"}, false},
      {1e20, {"123456789012345678901", ""}, false},
      {1e23, {"99999999999999991600000", ""}, true},
      {1e23, {"99999999999999991600001", ""}, false},
      {std::numeric_limits<double>::infinity(), {"9", ""}, true},
      {-std::numeric_limits<double>::infinity(), {"", ""}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(reachesAmount(c.balance, c.target), c.reached)
        << formatMoney(c.balance) << " against " << c.target.units << "." << c.target.fraction;
  }
}

} // namespace
} // namespace balvix
