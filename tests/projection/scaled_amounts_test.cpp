#include "projection/scaled_amounts.h"

#include <gtest/gtest.h>

namespace balvix {
namespace {

// Worked by hand on the decimal amounts: the product, then the cent, an
// exact half away from zero.
TEST(ScaledAmount, RoundsTheDecimalProductToTheCentHalfAway) {
  struct Case {
    double amount;
    int percent;
    double scaled;
  } cases[] = {
      {62.35, 10, 68.59},          // 68.585; in binary 62.35 × 1.1 is 68.58499...
      {1.15, 10, 1.27},            // 1.265
      {0.5, 5, 0.53},              // 0.525: away from zero, not to the even 0.52
      {0.125, 0, 0.13},            // no percent is still the cent
      {85.6, 3, 88.17},            // 88.168
      {0.05, -10, 0.05},           // 0.045
      {100, -100, 0},              // no expenses at all
      {850, 1000, 9350},           // eleven times
      {1e-25, 1000, 0},            // far below the cent
      {1234567.89, 1, 1246913.57}, // 1246913.5689
      {2e15, 10, 2.2e15},          // beyond the cents: the product alone
  };
  for (const Case& c : cases) {
    EXPECT_EQ(scaledAmount(c.amount, c.percent), c.scaled) << c.amount << " at " << c.percent;
  }
}

TEST(ScaledMovements, ScalesEachActionByItsOwnPercentOrKeepsIt) {
  Entry rent;
  rent.action = Action::remove;
  rent.amount = 750.5;
  Entry pay;
  pay.action = Action::add;
  pay.amount = 1850.125;
  const MovementList originals{&rent, &pay};
  ScaledMovements scaled(originals);
  scaled.scale(10, std::nullopt);
  EXPECT_EQ(scaled.list()[0]->amount, 825.55); // 825.55
  EXPECT_EQ(scaled.list()[1]->amount, 1850.125) << "no percent: as it was, sub-cent kept";
  scaled.scale(std::nullopt, -5);
  EXPECT_EQ(scaled.list()[0]->amount, 750.5) << "scaled again from the original";
  EXPECT_EQ(scaled.list()[1]->amount, 1757.62); // 1757.61875
  EXPECT_EQ(rent.amount, 750.5) << "the originals stay";
}

} // namespace
} // namespace balvix
