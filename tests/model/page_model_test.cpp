#include "model/page_model.h"

#include "page/chart_walk.h"

#include <gtest/gtest.h>

namespace balvix::testing {
namespace {

// Movements 0 to 3: put in 30, take out 30, take out 100.005, take out 0.004.
const EntriesRead& movements() {
  static const EntriesRead read =
      movementsOf({"Nomina|30|poner|concreta|01/01/2027|0", "Luz|30|quitar|concreta|01/01/2027|0",
                   "Alquiler|100.005|quitar|concreta|01/01/2027|0",
                   "Redondeo|0.004|quitar|concreta|01/01/2027|0"});
  return read;
}

TEST(ChartFigures, LowestHighestAndBelowZeroOnDayEnds) {
  struct Case {
    const char* name;
    double opening;
    std::vector<WalkDay> days;
    std::string lowest;  // "dd/mm/aaaa amount"
    std::string highest; // "dd/mm/aaaa amount"
    std::string belowZero;
  } cases[] = {
      {"the first of two equally low days counts, the opening balance does not",
       100,
       {{"01/01/2027", {1}}, {"02/01/2027", {0}}, {"03/01/2027", {1}}, {"04/01/2027", {}}},
       "01/01/2027 70'00",
       "02/01/2027 100'00",
       "never"},
      {"a balance that rises and falls within a day counts only at its end",
       10,
       {{"01/01/2027", {0, 1, 1}}, {"02/01/2027", {0, 0}}},
       "01/01/2027 -20'00",
       "02/01/2027 40'00",
       "01/01/2027 -20'00"},
      {"below zero is below what the report shows as zero",
       0.004,
       {{"01/01/2027", {}}, {"02/01/2027", {3}}, {"03/01/2027", {3}}, {"04/01/2027", {3}}},
       "04/01/2027 -'01",
       "01/01/2027 '00",
       "04/01/2027 -'01"},
      {"days that show the same amount are equal: the first one counts",
       100,
       {{"30/01/2027", {2}}, {"31/01/2027", {3}}, {"01/02/2027", {3}}},
       "31/01/2027 -'01",
       "30/01/2027 '00",
       "31/01/2027 -'01"},
      {"the balance starts below zero",
       -5,
       {{"28/12/2027", {}}, {"29/12/2027", {0}}},
       "28/12/2027 -5'00",
       "29/12/2027 25'00",
       "28/12/2027 -5'00"},
  };
  for (const Case& c : cases) {
    PageModel model(movementListOf(movements().entries), c.opening);
    walk(model, movements(), c.opening, c.days);
    const ChartFigures& f = model.figures();
    auto text = [](const ChartDay& d) { return dateText(d.day) + " " + formatMoney(d.balance); };
    EXPECT_EQ(f.dayCount, static_cast<std::int64_t>(c.days.size())) << c.name;
    EXPECT_EQ(dateText(f.first), c.days.front().date) << c.name;
    EXPECT_EQ(dateText(f.last), c.days.back().date) << c.name;
    EXPECT_EQ(text(f.lowest), c.lowest) << c.name;
    EXPECT_EQ(text(f.highest), c.highest) << c.name;
    EXPECT_EQ(f.firstBelowZero ? text(*f.firstBelowZero) : "never", c.belowZero) << c.name;
    EXPECT_EQ(f.opening, c.opening) << c.name;
  }
}

// The movements of the lowest day are the ones of that day, in file order.
TEST(ChartFigures, LowestDayKeepsItsMovements) {
  PageModel model(movementListOf(movements().entries), 200);
  walk(model, movements(), 200,
       {{"01/01/2027", {2}}, {"02/01/2027", {0, 2, 1}}, {"03/01/2027", {0}}});
  EXPECT_EQ(model.figures().lowest.movements, (std::vector<std::size_t>{0, 2, 1}));
  EXPECT_EQ(model.figures().highest.movements, (std::vector<std::size_t>{2}));
}

TEST(ChartMonths, SumsAndClosingAcrossMonthAndYearEnds) {
  PageModel model(movementListOf(movements().entries), 1000);
  walk(model, movements(), 1000,
       {{"30/12/2026", {0, 1}},
        {"31/12/2026", {2}},
        {"01/01/2027", {0}},
        {"02/01/2027", {}},
        {"31/01/2027", {1, 1}},
        {"01/02/2027", {}}});
  struct Row {
    int month;
    int year;
    std::string closing, lowest, putIn, takenOut, lastDay, lowestDay;
  };
  // 100.005 is a little below it and 899.995 a little above: the report
  // shows 130'00 and 900'00.
  const Row expected[] = {
      {12, 2026, "900'00", "900'00", "30'00", "130'00", "31/12/2026", "31/12/2026"},
      {1, 2027, "870'00", "870'00", "30'00", "60'00", "31/01/2027", "31/01/2027"},
      {2, 2027, "870'00", "870'00", "'00", "'00", "01/02/2027", "01/02/2027"},
  };
  ASSERT_EQ(model.months().size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const ChartMonth& m = model.months()[i];
    const Row& r = expected[i];
    EXPECT_EQ(m.month, r.month);
    EXPECT_EQ(m.year, r.year);
    EXPECT_EQ(formatMoney(m.closing), r.closing) << r.month;
    EXPECT_EQ(formatMoney(m.lowest), r.lowest) << r.month;
    EXPECT_EQ(formatMoney(m.putIn), r.putIn) << r.month;
    EXPECT_EQ(formatMoney(m.takenOut), r.takenOut) << r.month;
    EXPECT_EQ(dateText(m.lastDay), r.lastDay) << r.month;
    EXPECT_EQ(dateText(m.lowestDay), r.lowestDay) << r.month;
  }
  EXPECT_EQ(formatMoney(model.figures().putIn), "60'00");
  EXPECT_EQ(formatMoney(model.figures().takenOut), "190'00");
  EXPECT_EQ(formatMoney(model.figures().closing), "870'00");
}

// Consecutive days from 30/01/2027, each with the movements given.
std::vector<WalkDay> daysFrom3001(const std::vector<std::vector<std::size_t>>& movements) {
  std::vector<WalkDay> days;
  for (std::size_t i = 0; i < movements.size(); ++i) {
    days.push_back({dateText(addDays({30, 1, 2027}, static_cast<std::int64_t>(i))), movements[i]});
  }
  return days;
}

TEST(ChartBelowZero, StretchesOfDaysEndingBelowZero) {
  struct Case {
    const char* name;
    double opening;
    std::vector<std::vector<std::size_t>> days; // from 30/01/2027
    std::vector<std::string> stretches;         // "first-last days lowest lowestDay movements"
    std::int64_t daysBelowZero;
    std::string monthsBelowZero; // January and February
  } cases[] = {
      {"none", 100, {{1}, {}, {0}}, {}, 0, "no no"},
      {"one at the start, of one day",
       10,
       {{1}, {0}, {0}},
       {"30/01/2027-30/01/2027 1 -20'00 30/01/2027 1"},
       1,
       "yes no"},
      {"one at the end, of one day",
       40,
       {{}, {1}, {1}},
       {"01/02/2027-01/02/2027 1 -20'00 01/02/2027 1"},
       1,
       "no yes"},
      {"one that runs to the end, lowest inside it, the first of equal days",
       20,
       {{1}, {1}, {0}, {1}, {0, 3}},
       {"30/01/2027-03/02/2027 5 -40'00 31/01/2027 1"},
       5,
       "yes yes"},
      {"several, each with the movements of its first day",
       10,
       {{1}, {0, 0}, {1, 1, 1}, {0}, {0}, {1, 2}, {}},
       {"30/01/2027-30/01/2027 1 -20'00 30/01/2027 1",
        "01/02/2027-02/02/2027 2 -50'00 01/02/2027 1 1 1",
        "04/02/2027-05/02/2027 2 -120'00 04/02/2027 1 2"},
       5,
       "yes yes"},
      {"a balance that shows as 0'00 is not below zero", 0.004, {{3}, {3}}, {}, 0, "no"},
  };
  for (const Case& c : cases) {
    PageModel model(movementListOf(movements().entries), c.opening);
    walk(model, movements(), c.opening, daysFrom3001(c.days));
    std::vector<std::string> stretches;
    for (const ChartStretch& s : model.belowZero()) {
      std::string text = dateText(s.start.day) + "-" + dateText(s.last) + " " +
                         std::to_string(s.dayCount) + " " + formatMoney(s.lowest) + " " +
                         dateText(s.lowestDay);
      for (std::size_t m : s.start.movements) {
        text += ' ';
        text += std::to_string(m);
      }
      stretches.push_back(text);
    }
    EXPECT_EQ(stretches, c.stretches) << c.name;
    EXPECT_EQ(model.figures().daysBelowZero, c.daysBelowZero) << c.name;
    std::string months;
    for (const ChartMonth& m : model.months()) {
      months += std::string(months.empty() ? "" : " ") + (m.belowZero ? "yes" : "no");
    }
    EXPECT_EQ(months, c.monthsBelowZero) << c.name;
  }
}

// Each point's future minimum is the lowest day-end balance from it to the
// end; with weeks or months, of each point's lowest.
TEST(ChartPoints, FutureMinimumAndWhatEachPointMoved) {
  struct Case {
    std::size_t limit;
    std::vector<std::string> points; // "dd/mm future put taken"
  } cases[] = {
      {100,
       {"30/01 40'00 0'00 30'00", "31/01 40'00 30'00 0'00", "01/02 40'00 0'00 60'00",
        "02/02 70'00 30'00 0'00", "03/02 70'00 0'00 0'00", "04/02 100'00 30'00 0'00"}},
      {3, {"04/02 40'00 90'00 90'00"}},
  };
  for (const Case& c : cases) {
    PageModel model(movementListOf(movements().entries), 100, c.limit);
    walk(model, movements(), 100, daysFrom3001({{1}, {0}, {1, 1}, {0}, {}, {0}}));
    std::vector<std::string> points;
    model.forEachPoint([&](const ChartPoint& p) {
      points.push_back(dateText(p.day).substr(0, 5) + " " + pageAmount(p.futureLowest) + " " +
                       pageAmount(p.putIn) + " " + pageAmount(p.takenOut));
    });
    EXPECT_EQ(points, c.points) << c.limit;
  }
}

// Past the point limit a point stands for a week, then for a month; its
// date is its last day and it keeps its closing and lowest balance.
TEST(ChartPoints, DaysThenWeeksThenMonths) {
  struct Case {
    std::size_t limit;
    ChartStep step;
    std::vector<std::string> points; // "dd/mm/aaaa closing lowest", the first ones
  } cases[] = {
      {10,
       ChartStep::day,
       {"27/01/2027 70'00 70'00", "28/01/2027 40'00 40'00", "29/01/2027 10'00 10'00"}},
      {9, ChartStep::week, {"02/02/2027 -20'00 -20'00", "05/02/2027 -110'00 -110'00"}},
      {2, ChartStep::week, {"02/02/2027 -20'00 -20'00", "05/02/2027 -110'00 -110'00"}},
      {1, ChartStep::month, {"31/01/2027 40'00 -20'00", "05/02/2027 -110'00 -110'00"}},
  };
  for (const Case& c : cases) {
    // Every day takes 30 away, but the fifth day puts 60 back in.
    std::vector<WalkDay> days;
    for (int i = 0; i < 10; ++i) {
      days.push_back({dateText(addDays({27, 1, 2027}, i)),
                      i == 4 ? std::vector<std::size_t>{0, 0} : std::vector<std::size_t>{1}});
    }
    PageModel model(movementListOf(movements().entries), 100, c.limit);
    walk(model, movements(), 100, days);
    EXPECT_EQ(model.step(), c.step) << c.limit;
    std::vector<std::string> points;
    model.forEachPoint([&](const ChartPoint& p) {
      points.push_back(dateText(p.day) + " " + formatMoney(p.closing) + " " +
                       formatMoney(p.lowest));
    });
    EXPECT_EQ(points.size(), c.step == ChartStep::day ? 10 : c.points.size()) << c.limit;
    for (std::size_t i = 0; i < c.points.size() && i < points.size(); ++i) {
      EXPECT_EQ(points[i], c.points[i]) << c.limit << " point " << i;
    }
  }
}

} // namespace
} // namespace balvix::testing
