#include "projection/engine.h"

#include "projection/walk_helpers.h"

#include <gtest/gtest.h>

namespace balvix::testing {
namespace {

std::string textOf(std::int64_t day) {
  DateParts d = dateOfDayNumber(day);
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", d.day % 100, d.month % 100, d.year % 10000);
  return day == neverAgain ? "never" : text;
}

TEST(PeriodicDueDay, UnitsMonthEndsAndLimits) {
  struct Case {
    Unit unit;
    std::int64_t interval;
    std::string anchor;
    Lines dates; // from the activation date (k = 0) on
  } cases[] = {
      {Unit::weeks, 14, "15/02/2016", {"15/02/2016", "29/02/2016", "14/03/2016"}},
      {Unit::days, 40000, "01/01/2014", {"01/01/2014", "09/07/2123", "13/01/2233"}},
      {Unit::months, 3, "05/10/2014", {"05/10/2014", "05/01/2015", "05/04/2015"}},
      {Unit::months, 12, "15/06/2013", {"15/06/2013", "15/06/2014", "15/06/2015"}},
      {Unit::months, 13, "15/06/2013", {"15/06/2013", "15/07/2014", "15/08/2015"}},
      {Unit::months, 24, "15/12/2013", {"15/12/2013", "15/12/2015", "15/12/2017"}},
      {Unit::months, 1, "31/01/2015", {"31/01/2015", "28/02/2015", "31/03/2015", "30/04/2015"}},
      {Unit::months, 1, "31/12/2015", {"31/12/2015", "31/01/2016", "29/02/2016", "31/03/2016"}},
      {Unit::years,
       1,
       "29/02/2016",
       {"29/02/2016", "28/02/2017", "28/02/2018", "28/02/2019", "29/02/2020"}},
      {Unit::years,
       100,
       "29/02/2000",
       {"29/02/2000", "28/02/2100", "28/02/2200", "28/02/2300", "29/02/2400"}},
      {Unit::years, 3, "29/02/0004", {"29/02/0004", "28/02/0007"}},
      {Unit::years, 5000, "01/01/2013", {"01/01/2013", "01/01/7013", "never"}},
      {Unit::years, 1, "15/06/9998", {"15/06/9998", "15/06/9999", "never"}},
      {Unit::days, 1, "30/12/9999", {"30/12/9999", "31/12/9999", "never"}},
      {Unit::months, 1, "31/12/9999", {"31/12/9999", "never"}},
      {Unit::months, 0, "01/01/2013", {"01/01/2013", "never", "never"}},
      {Unit::days, neverAgain, "01/01/2013", {"01/01/2013", "never", "never"}},
      {Unit::months, neverAgain / 3, "01/01/2013", {"01/01/2013", "never", "never", "never"}},
  };
  for (const Case& c : cases) {
    EntrySchedule schedule{c.interval, c.unit, dateOf(c.anchor)};
    for (std::size_t k = 0; k < c.dates.size(); ++k) {
      EXPECT_EQ(textOf(periodicDueDay(schedule, static_cast<std::int64_t>(k))), c.dates[k])
          << c.anchor << " k " << k;
    }
  }
}

// Against counting the dates one by one from the activation.
TEST(FirstPeriodicOccurrence, AgreesWithCountingEveryDate) {
  const EntrySchedule schedules[] = {
      {3, Unit::months, {5, 1, 2014}},   {1, Unit::months, {31, 1, 2012}},
      {13, Unit::months, {30, 8, 2011}}, {1, Unit::years, {29, 2, 2012}},
      {10, Unit::days, {5, 1, 2014}},    {0, Unit::days, {1, 1, 2014}},
  };
  for (const EntrySchedule& s : schedules) {
    std::int64_t k = 0;
    for (std::int64_t day = dayNumber({1, 1, 2013}); day <= dayNumber({31, 12, 2017}); ++day) {
      while (periodicDueDay(s, k) < day && periodicDueDay(s, k) != neverAgain && k < 999) {
        ++k;
      }
      ASSERT_EQ(textOf(periodicDueDay(s, firstPeriodicOccurrenceFrom(s, day))),
                textOf(periodicDueDay(s, k)))
          << textOf(dayNumber(s.anchor)) << " from " << textOf(day);
    }
  }
}

TEST(Walk, DaysDueInFileOrder) {
  EntriesRead m;
  add(m, "Uno", 100, "poner", "concreta", "02/01/2013");
  add(m, "Dos", 130, "quitar", "mensualidad", "2");
  add(m, "Tres", 0.25, "poner", "periodo", "1mes", "02/01/2013", Unit::months, 1);
  EXPECT_EQ(
      project(m, configOf("31/12/2012", "02/01/2013", 10)),
      (Lines{"Lunes 31/12/2012", "Martes 01/01/2013", "Mi\xE9rcoles 02/01/2013",
             "Uno 10'00 poner 100'00 = 110'00 concreta 02/01/2013", "",
             "Dos 110'00 quitar 130'00 = -20'00 mensualidad 2", "",
             "ACTIVACI\xD3N !! Tres poner '25 periodo 1mes",
             "Tres -20'00 poner '25 = -19'75 periodo 1mes", "", "", "", "Saldo total = -19'75"}));
  Lines leap = project(m, configOf("27/02/2100", "02/03/2100", 0));
  EXPECT_EQ(daysOf(leap), (Lines{"27/02/2100", "28/02/2100", "01/03/2100", "02/03/2100"}));
}

TEST(Walk, WhichDaysMovementsApply) {
  EntriesRead m;
  add(m, "Alquiler", 1, "poner", "periodo", "3mes", "05/01/2014", Unit::months, 3);
  add(m, "Fin", 1, "poner", "periodo", "1mes", "31/12/2014", Unit::months, 1);
  add(m, "Bis", 1, "poner", "periodo", "1a\xF1o", "29/02/2012", Unit::years, 1);
  add(m, "Quince", 1, "poner", "periodo", "2semana", "26/12/2014", Unit::weeks, 14);
  add(m, "Doce", 1, "poner", "periodo", "12mes", "03/02/2015", Unit::months, 12);
  add(m, "Cero", 1, "poner", "periodo", "0dia", "05/02/2015", Unit::days, 0);
  add(m, "Cero2", 1, "poner", "periodo", "0mes", "05/01/2014", Unit::months, 0);
  add(m, "Tarde", 1, "poner", "periodo", "1dia", "01/07/2015", Unit::days, 1);
  add(m, "Dia28", 1, "poner", "mensualidad", "28");
  add(m, "Antes", 1, "poner", "concreta", "31/12/2014");
  add(m, "Ultimo", 1, "poner", "concreta", "30/06/2015");
  add(m, "Imposible", 1, "poner", "concreta", "31/02/2015");
  Lines lines = project(m, configOf("01/01/2015", "30/06/2015", 0));
  EXPECT_EQ(daysOf(lines, "Alquiler"), (Lines{"05/01/2015", "05/04/2015"}));
  EXPECT_EQ(daysOf(lines, "Fin"), (Lines{"31/01/2015", "28/02/2015", "31/03/2015", "30/04/2015",
                                         "31/05/2015", "30/06/2015"}));
  EXPECT_EQ(daysOf(lines, "Bis"), (Lines{"28/02/2015"}));
  EXPECT_EQ(daysOf(lines, "Quince").size(), 13u);
  EXPECT_EQ(daysOf(lines, "Quince")[0], "09/01/2015");
  EXPECT_EQ(daysOf(lines, "Doce"), (Lines{"03/02/2015"}));
  EXPECT_EQ(daysOf(lines, "Cero"), (Lines{"05/02/2015"}));
  EXPECT_EQ(daysOf(lines, "Cero2"), Lines{});
  EXPECT_EQ(daysOf(lines, "Tarde"), Lines{});
  EXPECT_EQ(daysOf(lines, "Dia28"), (Lines{"28/01/2015", "28/02/2015", "28/03/2015", "28/04/2015",
                                           "28/05/2015", "28/06/2015"}));
  EXPECT_EQ(daysOf(lines, "Antes"), Lines{});
  EXPECT_EQ(daysOf(lines, "Ultimo"), (Lines{"30/06/2015"}));
  EXPECT_EQ(daysOf(lines, "Imposible"), Lines{});
  // Only Doce and Cero are activated on a walked day.
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](auto& l) { return l.rfind("ACTIVACI", 0) == 0; }),
            2);
}

TEST(Walk, WholeCalendarAndManyMovements) {
  EntriesRead m;
  for (int i = 0; i < 40000; ++i) {
    add(m, "N", 1, "poner", "concreta", "01/01/2000");
  }
  add(m, "Anual", 0.1, "quitar", "periodo", "1a\xF1o", "01/01/0001", Unit::years, 1);
  add(m, "Resto", 0.3, "poner", "concreta", "02/01/1602");
  Lines lines = project(m, configOf("31/12/1599", "02/01/1602", 0));
  EXPECT_EQ(daysOf(lines, "Anual"), (Lines{"01/01/1600", "01/01/1601", "01/01/1602"}));
  EXPECT_EQ(lines.back(), "Saldo total = '00"); // -0.1 - 0.1 - 0.1 + 0.3 is below 0
  EXPECT_EQ(project(m, configOf("30/12/9999", "31/12/9999", 0)).front(), "Jueves 30/12/9999");
  EXPECT_EQ(project(m, configOf("01/01/0001", "02/01/0001", 0))[1],
            "ACTIVACI\xD3N !! Anual quitar '10 periodo 1a\xF1o");
}

// A movement that would leave a balance beyond any number either way is not
// applied: the walk ends that day, the report's last line names it, and no
// "inf" is ever written.
TEST(Walk, EndsWhereTheBalanceNoLongerFits) {
  for (const char* action : {"poner", "quitar"}) {
    EntriesRead m;
    add(m, "Uno", 1e308, action, "concreta", "01/01/2013");
    add(m, "Dos", 1e308, action, "periodo", "1dia", "02/01/2013", Unit::days, 1);
    add(m, "Tres", 1, "poner", "concreta", "02/01/2013");
    const Lines lines = project(m, configOf("01/01/2013", "31/12/2013", 0));
    ASSERT_EQ(lines.size(), 7u) << action << ": neither Dos's activation nor Tres";
    EXPECT_EQ(lines[3], "Mi\xE9rcoles 02/01/2013") << action;
    EXPECT_EQ(lines.back(), "El saldo ya no cabe en un n\xFAmero con \"Dos\": el informe "
                            "termina aqu\xED ...")
        << action;
    EXPECT_EQ(lines[1].find("inf"), std::string::npos) << lines[1];
  }
}

TEST(AmountRun, StopsOnlyAtTheEndOfADay) {
  EntriesRead m;
  add(m, "Nomina", 1000, "poner", "mensualidad", "5");
  add(m, "Gasto", 10, "quitar", "mensualidad", "5");
  struct Case {
    double opening;
    std::string target, lastDay, closing;
  } cases[] = {
      {0, "1980", "05/02/2013", "Saldo total = 1.980'00"},
      {0, "1980.01", "05/03/2013", "Saldo total = 2.970'00"},
      {0, "995", "05/02/2013", "Saldo total = 1.980'00"}, // 1000 at midday of 05/01
      {500, "500", "01/01/2013", "Saldo total = 500'00"},
      {0, "0", "01/01/2013", "Saldo total = '00"},
      {3, "5.", "05/01/2013", "Saldo total = 993'00"},
      {0, "123456789012345678901", "31/12/2013", "Saldo total = 11.880'00"},
      {1e300, "123456789012345678901", "01/01/2013", ""},
  };
  for (const Case& c : cases) {
    Lines lines = project(m, configOf("01/01/2013", "31/12/2013", c.opening), c.target);
    EXPECT_EQ(daysOf(lines).back(), c.lastDay) << c.target;
    if (!c.closing.empty()) {
      EXPECT_EQ(lines.back(), c.closing) << c.target;
    }
  }
  Lines first = project(m, configOf("05/01/2013", "31/12/2013", 2000), "10");
  EXPECT_EQ(first.size(), 8u) << "the first day is handled completely";
}

// The stop is judged on the balance as the report writes it, against the
// exact target: 0.7 + 0.1 is 0.7999999999999999 as a double, written '80.
TEST(AmountRun, StopsAtTheBalanceTheReportWrites) {
  EntriesRead cafe;
  add(cafe, "Cafe", 0.1, "poner", "concreta", "02/01/2013");
  EntriesRead below;
  add(below, "Gasto", 2, "quitar", "concreta", "01/01/2013");
  add(below, "Vuelta", 0.996, "poner", "concreta", "02/01/2013");
  const EntriesRead none;
  struct Case {
    const EntriesRead& movements;
    double opening;
    std::string target, lastDay, closing;
  } cases[] = {
      {cafe, 0.7, "0.8", "02/01/2013", "Saldo total = '80"},
      {cafe, 0.7, "000.80", "02/01/2013", "Saldo total = '80"},
      {cafe, 0.7, "0.801", "31/12/2013", "Saldo total = '80"},
      {cafe, 0.7, "0.70", "01/01/2013", "Saldo total = '70"},
      // -1 never reaches 0; -0.004 is written '00 and does.
      {below, 1, "0", "02/01/2013", "Saldo total = '00"},
      {below, 1, "0.001", "31/12/2013", "Saldo total = '00"},
      // A balance below a tenth: '05 is 0.05, neither 0.06 nor 0.5.
      {none, 0.05, "0.06", "31/12/2013", "Saldo total = '05"},
      {none, 0.05, "0.5", "31/12/2013", "Saldo total = '05"},
      {none, 0.05, "0.05", "01/01/2013", "Saldo total = '05"},
  };
  for (const Case& c : cases) {
    Lines lines = project(c.movements, configOf("01/01/2013", "31/12/2013", c.opening), c.target);
    EXPECT_EQ(daysOf(lines).back(), c.lastDay) << c.target;
    EXPECT_EQ(lines.back(), c.closing) << c.target;
  }
}

} // namespace
} // namespace balvix::testing
