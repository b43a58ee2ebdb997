#include "model/scaled_line.h"

#include "input/run_config.h"
#include "page/chart_walk.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace balvix {
namespace {

TEST(ScaledLine, PercentsTakenOnlyWholeAndInTheirRange) {
  struct Case {
    const char* text;
    int most;
    std::optional<int> percent;
  } cases[] = {
      {"10", 1000, 10},     {"-5", 100, -5},    {"+7", 100, 7},    {"-100", 100, -100},
      {"1000", 1000, 1000}, {"1001", 1000, {}}, {"101", 100, {}},  {"-101", 1000, {}},
      {"", 1000, {}},       {"1.5", 1000, {}},  {"10 ", 1000, {}}, {"+", 1000, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(percentOf(c.text, c.most), c.percent) << c.text;
  }
  EXPECT_EQ(scaledLineName({10, -5}), "gastos +10 %, ingresos -5 %");
  EXPECT_EQ(scaledLineName({std::nullopt, 0}), "ingresos +0 %");
}

// 100 on 01/01/2027; 10 taken on the 3rd, 50 put in on the 6th.
TEST(ScaledLine, WalksThePlansAmountsScaledFromTodaysStart) {
  const ConfigRead config = parseRunConfig("01/01/2027|10/01/2027|100|x.txt", nullptr);
  const EntriesRead plan = testing::movementsOf(
      {"Luz|10|quitar|concreta|03/01/2027|0", "Paga|50|poner|concreta|06/01/2027|0"});
  const RunInputs inputs{config.records.front(), plan};
  const RunSpan span{{1, 1, 2027}, {10, 1, 2027}, {}};

  const std::optional<Scenario> line = scaledLine(inputs, span, {4, 1, 2027}, {10, -5}, false);
  ASSERT_TRUE(line && line->own && line->startDay);
  EXPECT_EQ(line->name, "gastos +10 %, ingresos -5 %");
  EXPECT_EQ(*line->startDay, (DateParts{4, 1, 2027}));
  EXPECT_EQ(line->startBalance, 90) << "the plan's balance at the start of today";
  ASSERT_EQ(line->own->size(), 2u);
  EXPECT_EQ((*line->own)[0].amount, 11);
  EXPECT_EQ((*line->own)[1].amount, 47.5);
  EXPECT_EQ(plan.entries[0].amount, 10) << "the plan's own records stay";

  const std::optional<Scenario> before = scaledLine(inputs, span, {1, 12, 2026}, {10, {}}, false);
  ASSERT_TRUE(before && before->startDay);
  EXPECT_EQ(*before->startDay, (DateParts{1, 1, 2027})) << "today before the walk";
  EXPECT_EQ(before->startBalance, 100);
  EXPECT_EQ((*before->own)[1].amount, 50) << "no income percent: as it was";

  EXPECT_FALSE(scaledLine(inputs, span, {4, 1, 2027}, {10, -5}, true)->startDay)
      << "with today's balance it starts where the real line does";
  EXPECT_FALSE(scaledLine(inputs, span, {11, 1, 2027}, {10, -5}, false)) << "after the walk";
  EXPECT_FALSE(scaledLine(inputs, span, {4, 1, 2027}, {}, false)) << "no percent, no line";
}

} // namespace
} // namespace balvix
