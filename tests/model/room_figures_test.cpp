#include "model/room_figures.h"
#include "page/room_text.h"

#include "page/chart_walk.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace balvix {
namespace {

using testing::movementsOf;

// 100 from 01/01/2027 to 10/01/2027; day ends 100, 100, 90, 90, 70, 120,
// 120, 20, 20, 20. Expenses scaled by k = (100 + P) / 100 end 08/01 at
// 150 - 130k, the lowest day.
const EntriesRead tenDays = movementsOf(
    {"Luz|10|quitar|concreta|03/01/2027|0", "Compra|20|quitar|concreta|05/01/2027|0",
     "Paga|50|poner|concreta|06/01/2027|0", "Alquiler|100|quitar|concreta|08/01/2027|0"});

using Kind = ExpenseRoom::Kind;

struct Case {
  const char* what;
  double floor;
  DateParts today;
  std::optional<ExactAmount> target;
  Kind kind;
  int percent;                   // for Kind::percent
  std::optional<double> monthly; // nothing: "nada"
};

TEST(RoomFigures, LargestPercentAndMonthlySetAsideThatHold) {
  const Case cases[] = {
      // 150 - 130 × 1.15 = 0.5; × 1.16 = -0.8. X on 01/01: 20 - X.
      {"never below zero", 0, {1, 1, 2027}, {}, Kind::percent, 15, 20},
      {"today before the walk counts from its first day",
       0,
       {15, 12, 2026},
       {},
       Kind::percent,
       15,
       20},
      // 150 - 130 × 1.07 = 10.9; × 1.08 = 9.6.
      {"a cushion", 10, {1, 1, 2027}, {}, Kind::percent, 7, 10},
      // 150 - 130 × 0.92 = 30.4; × 0.93 = 29.1.
      {"already below: expenses must fall", 30, {1, 1, 2027}, {}, Kind::percent, -8, {}},
      {"not even with no expenses", 150, {1, 1, 2027}, {}, Kind::notEvenWithout, -100, {}},
      // From 120 on 07/01: 120 - 100k, 0 at +20 exactly; X on 07/01.
      {"today inside, a day exactly at the floor", 0, {7, 1, 2027}, {}, Kind::percent, 20, 20},
      {"no expenses from today", 0, {9, 1, 2027}, {}, Kind::noExpenses, 0, 20},
      {"today on the last day", 5, {10, 1, 2027}, {}, Kind::noExpenses, 0, 15},
      // 150 - 130 × 11 = -1280 exactly; × 11.01 = -1281.3.
      {"exactly 1.000 %", -1280, {1, 1, 2027}, {}, Kind::percent, 1000, 1300},
      {"more than 1000 %", -2000, {1, 1, 2027}, {}, Kind::aboveLimit, 1001, 2020},
      // Reaching 110 ends the walk on 06/01 while 150 - 30k >= 110: k <= 4/3
      // (1.33: 110.1); at 1.34 (109.8) it walks on and ends 08/01 at -24.2.
      // X up to 10 stops it on 06/01; up to 20 it walks on and holds.
      {"an amount run stops where the new walk reaches it",
       0,
       {1, 1, 2027},
       ExactAmount{"110", ""},
       Kind::percent,
       33,
       20},
  };
  const MovementList movements = movementListOf(tenDays.entries);
  const RoomLine line{movements, {1, 1, 2027}, 100};
  for (const Case& c : cases) {
    const RunSpan span{{1, 1, 2027}, {10, 1, 2027}, c.target};
    const std::optional<RoomStart> start = roomStartOf(line, span, c.today);
    ASSERT_TRUE(start) << c.what;
    const ExpenseRoom room = expenseRoom(line, *start, span, c.floor);
    EXPECT_EQ(room.kind, c.kind) << c.what;
    EXPECT_EQ(room.percent, c.percent) << c.what;
    EXPECT_EQ(monthlyRoom(line, *start, span, c.floor), c.monthly) << c.what;
  }
}

TEST(RoomFigures, StartOfTodayOrNoneAfterTheLinesWalk) {
  const MovementList movements = movementListOf(tenDays.entries);
  const RoomLine line{movements, {1, 1, 2027}, 100};
  const RunSpan whole{{1, 1, 2027}, {10, 1, 2027}, {}};
  const std::optional<RoomStart> inside = roomStartOf(line, whole, {8, 1, 2027});
  ASSERT_TRUE(inside);
  EXPECT_EQ(inside->day, (DateParts{8, 1, 2027}));
  EXPECT_EQ(inside->balance, 120) << "the end of the day before";
  EXPECT_FALSE(roomStartOf(line, whole, {11, 1, 2027})) << "after the last day";
  const RunSpan toAmount{{1, 1, 2027}, {10, 1, 2027}, ExactAmount{"110", ""}};
  EXPECT_TRUE(roomStartOf(line, toAmount, {6, 1, 2027})) << "the day it reaches the target";
  EXPECT_FALSE(roomStartOf(line, toAmount, {7, 1, 2027})) << "its walk ended on 06/01";
}

TEST(RoomFigures, JudgedOnCentsRoundedHalfAwayFromZero) {
  struct Line {
    const char* what;
    double opening;
    const char* movement;
    int percent;
  } lines[] = {
      // 0.52 less 0.50: +4 % takes 0.52; +5 % 0.525, which is 0.53 (to the
      // even cent it would be 0.52 and hold).
      {"a half cent", 0.52, "Luz|0.50|quitar|concreta|02/01/2027|0", 4},
      // 0.996 less 1 ends at -0.004, written 0'00: at the floor; +1 % -0.014.
      {"within half a cent below the floor", 0.996, "Luz|1|quitar|concreta|02/01/2027|0", 0},
      // 0.004 a day is 0'00 up to +24 % (0.00496); at +25 % 0.005 is 0.01 a
      // day, and 0.02 is gone on the 2nd.
      {"expenses rounded to nothing", 0.02, "Migas|0.004|quitar|periodo|1dia|01/01/2027", 24},
  };
  for (const Line& l : lines) {
    const EntriesRead read = movementsOf({l.movement});
    const MovementList movements = movementListOf(read.entries);
    const RoomLine line{movements, {1, 1, 2027}, l.opening};
    const RunSpan span{{1, 1, 2027}, {10, 1, 2027}, {}};
    const ExpenseRoom room = expenseRoom(line, {{1, 1, 2027}, l.opening}, span, 0);
    EXPECT_EQ(room.kind, Kind::percent) << l.what;
    EXPECT_EQ(room.percent, l.percent) << l.what;
  }
}

TEST(RoomFigures, WrittenAsThePageWritesThem) {
  struct Case {
    ExpenseRoom room;
    const char* text;
  } cases[] = {
      {{Kind::percent, 12}, "Los gastos pueden subir un 12 %"},
      {{Kind::percent, 1000}, "Los gastos pueden subir un 1.000 %"},
      {{Kind::percent, -5},
       "los gastos tendr\xED"
       "an que bajar un 5 %"},
      {{Kind::notEvenWithout, -100}, "ni sin gastos"},
      {{Kind::aboveLimit, 1001}, "m\xE1s de un 1.000 %"},
      {{Kind::noExpenses, 0}, "sin gastos que subir"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(expenseRoomText(c.room), c.text);
  }
  EXPECT_EQ(monthlyRoomText(1250), "Se puede apartar 1.250 \x80 al mes");
  EXPECT_EQ(monthlyRoomText(0), "Se puede apartar 0 \x80 al mes");
  EXPECT_EQ(monthlyRoomText(std::nullopt), "nada");
}

} // namespace
} // namespace balvix
