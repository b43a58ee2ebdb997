#include "driver/chart_page.h"

#include "driver/embedded_files.h"
#include "page/chart_walk.h"
#include "page/page_rules_table.h"
#include "projection/argument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace balvix::testing {
namespace {

const EntriesRead& movements() {
  static const EntriesRead read =
      movementsOf({"Nomina|1850.50|poner|mensualidad|1|0",
                   "Alquiler </script><b>&\"'|2500|quitar|mensualidad|5|0",
                   "Compra semanal|85.60|quitar|periodo|1semana|02/01/2027",
                   "Redondeo|0.004|quitar|mensualidad|3|0"});
  return read;
}

// From 30/12/2026 to 06/01/2027: the rent on 05/01 takes the balance below
// zero, and it stays there.
// The first `dayCount` of them.
std::string examplePage(ChartRun run, std::size_t pointLimit = 1000, std::size_t dayCount = 8) {
  run.periodFirst = {30, 12, 2026};
  run.periodLast = {31, 3, 2027};
  std::vector<WalkDay> days = {{"30/12/2026", {}},  {"31/12/2026", {}}, {"01/01/2027", {0}},
                               {"02/01/2027", {2}}, {"03/01/2027", {}}, {"04/01/2027", {}},
                               {"05/01/2027", {1}}, {"06/01/2027", {}}};
  days.resize(dayCount);
  PageModel model(movementListOf(movements().entries), 500.25, pointLimit);
  walk(model, movements(), 500.25, days);
  return chartPage(model, run);
}

ChartRun runOf(std::string_view reportName, RunGoal goal = RunGoal::wholePeriod) {
  ChartRun run;
  run.reportName = reportName;
  run.goal = goal;
  return run;
}

// The text between `begin` and the next `end` after it.
std::string between(const std::string& page, const std::string& begin, const std::string& end) {
  std::size_t from = page.find(begin);
  if (from == std::string::npos) {
    return {};
  }
  from += begin.size();
  return page.substr(from, page.find(end, from) - from);
}

// The page without its data and scripts, which hold texts of the tables that
// the scripts write.
std::string htmlOf(const std::string& page) {
  return page.substr(0, page.find("<script"));
}

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

TEST(ChartPage, KeyFiguresDataAndMonthsInThePage) {
  const std::string page = examplePage(runOf("informe2027.txt"));
  for (const char* text : {
           "<title>informe2027 \xC2\xB7 saldo d\xC3\xAD"
           "a a d\xC3\xAD"
           "a</title>",
           "del 30/12/2026 al 06/01/2027 (8 d\xC3\xAD"
           "as)",
           "<dd>todo el periodo</dd>",
           "<dt>Saldo inicial</dt><dd>500'25</dd>",
           "<dt>Saldo final</dt><dd><span class=\"neg\">-234'85</span></dd>",
           "<dd><span class=\"neg\">-234'85</span>, el 05/01/2027",
           "Alquiler &lt;/script&gt;&lt;b&gt;&amp;&quot;&#39; (quitar 2.500'00)",
           "<dd>2.350'75, el 01/01/2027",
           "<dd>05/01/2027 (<span class=\"neg\">-234'85</span>)",
           "<dt>Total puesto (poner)</dt><dd>1.850'50</dd>",
           "<dt>Total quitado (quitar)</dt><dd>2.585'60</dd>",
           "<details class=\"anyo\" open><summary>2026: saldo al cierre 500'25, puesto 0'00, "
           "quitado 0'00</summary>",
           "<tr data-mes=\"2026-12\"><td>diciembre "
           "2026<td>500'25<td>500'25<td>30/12<td>0'00<td>0'00\n",
           "<tr class=\"bajo-cero\" data-mes=\"2027-01\"><td>enero 2027 (hasta el 06)<td><span "
           "class=\"neg\">-234'85</span><td><span class=\"neg\">-234'85</span> <span "
           "class=\"marca\"",
           "<td>05/01<td>1.850'50<td>2.585'60\n",
           "<dt>Días por debajo de cero</dt><dd>2 días, en 1 tramo</dd>",
           // It depends on today: the script fills it.
           "<div class=\"gastar\"><dt>Se puede gastar hoy sin bajar de cero</dt><dd "
           "data-hoy=\"gastar\" data-linea=\"0\"></dd></div>\n",
           "<tr><td>05/01/2027<td>06/01/2027<td>2<td><span class=\"neg\">-234'85</span>"
           "<td>05/01/2027<td class=\"texto\">Alquiler &lt;/script&gt;",
       }) {
    EXPECT_NE(page.find(text), std::string::npos) << text;
  }
  EXPECT_EQ(between(page, "\"dias\":[", "]"),
            "\"2026-12-30\",\"2026-12-31\",\"2027-01-01\",\"2027-01-02\",\"2027-01-03\","
            "\"2027-01-04\",\"2027-01-05\",\"2027-01-06\"");
  EXPECT_EQ(between(page, "\"saldos\":[", "]"),
            "500.25,500.25,2350.75,2265.15,2265.15,2265.15,-234.85,-234.85");
  EXPECT_EQ(between(page, "\"paso\":", ","), "\"dia\"");
  EXPECT_EQ(page.find("\"minimos\""), std::string::npos);
  EXPECT_EQ(between(page, "\"minimo\":{", "}"), "\"dia\":\"2027-01-05\",\"saldo\":-234.85");
  EXPECT_EQ(between(page, "\"minimosFuturos\":[", "]"),
            "-234.85,-234.85,-234.85,-234.85,-234.85,-234.85,-234.85,-234.85");
  EXPECT_EQ(between(page, "\"puesto\":[", "]"), "0.00,0.00,1850.50,0.00,0.00,0.00,0.00,0.00");
  EXPECT_EQ(between(page, "\"quitado\":[", "]"), "0.00,0.00,0.00,85.60,0.00,0.00,2500.00,0.00");
  EXPECT_EQ(between(page, "\"tramosBajoCero\":[", "]"),
            "{\"desde\":\"2027-01-05\",\"hasta\":\"2027-01-06\",\"dias\":2,\"minimo\":-234.85,"
            "\"diaMinimo\":\"2027-01-05\"}");
  EXPECT_EQ(between(page, "\"movimientosDia\":[", "]],"), "[],[],[0],[2],[],[],[1],[");
  EXPECT_NE(between(page, "\"apuntes\":[", "]],").find("[\"Nomina\",\"poner\",\"1.850'50\"]"),
            std::string::npos);
  // Every amount is a sum of whole cents: no note about sums below the cent.
  EXPECT_EQ(htmlOf(page).find("por debajo del céntimo"), std::string::npos);
  // A comment never closes the script or the data it is in.
  EXPECT_EQ(lowerCase(page).find("</script><b>"), std::string::npos);
  // The opening balance is no lower than the lowest day: no note about it.
  EXPECT_EQ(page.find("el saldo inicial no cuenta"), std::string::npos);
}

TEST(ChartPage, RunModesAndLongPeriods) {
  struct Case {
    RunGoal goal;
    const char* reportName;
    const char* target; // the argument of an amount run
    std::size_t pointLimit;
    std::size_t dayCount;
    std::vector<std::string> texts;
  } cases[] = {
      {RunGoal::toDate,
       "b.txt",
       "",
       1000,
       8,
       {"<dd>hasta el 06/01/2027</dd>",
        "<dt>Periodo de config.txt</dt><dd>del 30/12/2026 al 31/03/2027</dd>",
        "\"fechaElegida\":\"2027-01-06\""}},
      {RunGoal::toAmount,
       "b.txt",
       "0.801",
       1000,
       2,
       {"hasta que el saldo llegue a 0'801: lo alcanza el 31/12/2026", "\"objetivo\":0.801,",
        "<dt>Periodo de config.txt</dt>"}},
      {RunGoal::toAmount, "b.txt", "00.50", 1000, 2, {"\"objetivo\":0.5,"}},
      {RunGoal::toAmount,
       "b.txt",
       ".5",
       1000,
       2,
       {"\"objetivo\":0.5,", "hasta que el saldo llegue a 0'50: lo alcanza el 31/12/2026"}},
      {RunGoal::toAmount,
       "b.TXT",
       "2000",
       1000,
       8,
       {"<title>b \xC2\xB7",
        "hasta que el saldo llegue a 2.000'00: no lo alcanza en todo el periodo",
        "\"objetivo\":2000,"}},
      {RunGoal::toAmount,
       "b.txt",
       "2350.75",
       1000,
       3,
       {"hasta que el saldo llegue a 2.350'75: lo alcanza el 01/01/2027"}},
      {RunGoal::wholePeriod,
       "b.txt",
       "",
       4,
       8,
       {"\"paso\":\"semana\"", "\"dias\":[\"2027-01-05\",\"2027-01-06\"]",
        "\"saldos\":[-234.85,-234.85]", "\"minimos\":[-234.85,-234.85]",
        "cada punto del gr\xC3\xA1"
        "fico es una semana",
        "son exactas"}},
      {RunGoal::wholePeriod,
       "b.txt",
       "",
       1,
       8,
       {"\"paso\":\"mes\"", "\"dias\":[\"2026-12-31\",\"2027-01-06\"]",
        "\"minimos\":[500.25,-234.85]", "fico es un mes"}},
  };
  for (const Case& c : cases) {
    ChartRun run = runOf(c.reportName, c.goal);
    run.target = classifyArgument(c.target).target;
    const std::string page = examplePage(run, c.pointLimit, c.dayCount);
    for (const std::string& text : c.texts) {
      EXPECT_NE(page.find(text), std::string::npos) << text;
    }
  }
}

// Pages of other walks: "name" is the report's name, each day "dd/mm/aaaa"
// with the movements of the page's example.
TEST(ChartPage, YearLinesKeyDaysTitlesAndNotes) {
  struct Case {
    const char* name;
    const char* reportName;
    std::vector<WalkDay> days;
    std::vector<std::string> texts;
    std::vector<std::string> absent;
    double opening = 500.25;
  } cases[] = {
      {"a year's line adds up every month of the year",
       "b.txt",
       {{"31/01/2027", {0}}, {"01/02/2027", {2}}, {"28/02/2027", {0, 1}}, {"01/03/2027", {2, 2}}},
       {"<summary>2027: saldo al cierre 1.444'45, puesto 3.701'00, quitado 2.756'80</summary>"},
       {"por debajo del céntimo"}},
      {"a key-figure day with more than three movements names three and how many more",
       "b.txt",
       {{"01/01/2027", {}}, {"02/01/2027", {2, 2, 1, 2, 2}}},
       {"Movimientos del día: Compra semanal (quitar 85'60), Compra semanal (quitar 85'60), "
        "Alquiler &lt;/script&gt;&lt;b&gt;&amp;&quot;&#39; (quitar 2.500'00) y 2 más</span>"},
       {"y 3 más"}},
      {"a report named .txt keeps its name as the title",
       ".txt",
       {{"01/01/2027", {}}},
       {"<title>.txt \xC2\xB7 saldo d\xC3\xAD"
        "a a d\xC3\xAD"
        "a</title>",
        "<h1>Proyección del saldo: .txt</h1>", "(1 día)",
        "El saldo no termina ningún día por "
        "debajo de cero."},
       {}},
      {"a key-figure day with three movements names them all",
       "b.txt",
       {{"01/01/2027", {}}, {"02/01/2027", {2, 2, 1}}},
       {"Compra semanal (quitar 85'60), Compra semanal (quitar 85'60), Alquiler "
        "&lt;/script&gt;&lt;b&gt;&amp;&quot;&#39; (quitar 2.500'00)</span>"},
       {" m\xC3\xA1s</span>"}},
      {"a walk that ends on a month's last day says no day of it",
       "b.txt",
       {{"30/01/2027", {}}, {"31/01/2027", {}}},
       {"<tr data-mes=\"2027-01\"><td>enero 2027<td>"},
       {"(hasta el"}},
      {"a lowest balance of exactly 0'00 is not below zero",
       "b.txt",
       {{"01/01/2027", {}}, {"02/01/2027", {1}}, {"03/01/2027", {0}}},
       {"<dd>nunca</dd>"},
       {},
       2500},
      {"an opening balance equal to the lowest day-end balance brings no note about it",
       "b.txt",
       {{"01/01/2027", {}}, {"02/01/2027", {0}}},
       {"<dd>500'25, el 01/01/2027"},
       {"el saldo inicial no cuenta"}},
      {"an opening balance below every day-end balance is said not to count",
       "b.txt",
       {{"01/01/2027", {0}}},
       {"<dd>2.350'75, el 01/01/2027", "el saldo inicial no cuenta"},
       {}},
      {"a movement below the cent keeps its note after a whole one the same day",
       "b.txt",
       {{"03/01/2027", {3, 0}}},
       {"por debajo del céntimo"},
       {}},
      {"days below zero in two stretches",
       "b.txt",
       {{"01/01/2027", {}},
        {"02/01/2027", {1}},
        {"03/01/2027", {0}},
        {"04/01/2027", {1}},
        {"05/01/2027", {1}}},
       {"<dt>Días por debajo de cero</dt><dd>3 días, en 2 tramos</dd>"},
       {},
       1000},
      {"an amount below the cent brings a note about the sums",
       "b.txt",
       {{"03/01/2027", {3}}},
       {"por debajo del céntimo"},
       {}},
  };
  for (const Case& c : cases) {
    PageModel model(movementListOf(movements().entries), c.opening);
    walk(model, movements(), c.opening, c.days);
    const std::string page = chartPage(model, runOf(c.reportName));
    for (const std::string& text : c.texts) {
      EXPECT_NE(page.find(text), std::string::npos) << c.name << ": " << text;
    }
    for (const std::string& text : c.absent) {
      EXPECT_EQ(htmlOf(page).find(text), std::string::npos) << c.name << ": " << text;
    }
  }
}

// A long walk counts its days with thousands grouped as the report groups
// amounts.
TEST(ChartPage, DayCountGrouped) {
  std::vector<WalkDay> days;
  for (int i = 0; i < 1234; ++i) {
    days.push_back({dateText(addDays({1, 1, 2027}, i)), {}});
  }
  PageModel model(movementListOf(movements().entries), 500.25);
  walk(model, movements(), 500.25, days);
  EXPECT_NE(chartPage(model, runOf("b.txt")).find("(1.234 días)"), std::string::npos);
}

// The page loads nothing: no address outside the chart library's credits, no
// file to fetch, and the embedded files cannot end their elements early.
TEST(ChartPage, SelfContained) {
  std::string page = examplePage(runOf("b.txt"));
  const std::string script(uplotScript());
  ASSERT_NE(page.find(script), std::string::npos);
  page.erase(page.find(script), script.size());
  const std::string lower = lowerCase(page);
  for (const char* reference :
       {"http:", "https:", "src=", "href=", "url(", "@import", "fetch(", "xmlhttprequest"}) {
    EXPECT_EQ(lower.find(reference), std::string::npos) << reference;
  }
  // No load at all, and no navigation by a form or a base address either.
  EXPECT_NE(lower.find("content-security-policy\" content=\"default-src 'none'; script-src "
                       "'unsafe-inline' 'wasm-unsafe-eval'; style-src 'unsafe-inline'; "
                       "form-action 'none'; base-uri 'none'\""),
            std::string::npos);
  std::vector<std::string_view> scripts = {uplotScript()};
  for (std::string_view script : pageScripts()) {
    scripts.push_back(script);
  }
  for (std::string_view script : scripts) {
    EXPECT_EQ(lowerCase(std::string(script)).find("</script"), std::string::npos);
    EXPECT_EQ(script.find("<!--"), std::string::npos);
  }
  for (std::string_view style : {uplotStyle(), pageStyle()}) {
    EXPECT_EQ(lowerCase(std::string(style)).find("</style"), std::string::npos);
  }
  EXPECT_FALSE(uplotLicense().empty());
}

// The page hands its scripts what they know of the program's files as node
// hands it to them in their tables (tests/page/file_rules.json).
TEST(ChartPage, HandsItsScriptsTheRulesOfTheFiles) {
  std::string_view rules = fileRulesBlock();
  rules.remove_suffix(1); // its line feed
  EXPECT_NE(examplePage(runOf("b.txt"))
                .find(R"(<script type="application/json" id="ficheros">)" + std::string(rules) +
                      "</script>\n"),
            std::string::npos);
}

} // namespace
} // namespace balvix::testing
