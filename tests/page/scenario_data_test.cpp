#include "page/chart_data.h"
#include "page/page_tables.h"
#include "page/scenario_data.h"
#include "page/scenario_table.h"

#include "projection/engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace balvix {
namespace {

// 100 opening; on the 1st -150 (-50 on 01/01, the one day below zero), on
// the 2nd +1000. The scenario takes the 1st's movement away and adds -50 on
// 03/01: 100, 1100, 1050 on its first days.
const std::string planText = "Nomina|1000|poner|mensualidad|2|0\r\n"
                             "Luz|150|quitar|mensualidad|1|0\r\n";
const std::string scenarioText = "-Luz|150|quitar|mensualidad|1|0\r\n"
                                 "Coche|50|quitar|concreta|03/01/2013|0\r\n";

// The plan and its scenarios ("coche" alone, or with "paro", which takes the
// pay away and adds 10 a month and the car: it never reaches 2000), walked
// over the first quarter of 2013.
struct Walked {
  using Files = std::vector<std::pair<std::string, std::string>>; // name, content
  explicit Walked(const std::optional<ExactAmount>& target, const Files& files)
      : scenarios(readScenarios(listingOf(files), contentOf(files), plan, '/', nullptr)),
        span{{1, 1, 2013}, {31, 3, 2013}, target}, walks(walkScenarios(inputs, scenarios, span)) {
    walkDays(series, planList, 100, span.first, span.last, span.target);
  }
  static FolderListing listingOf(const Files& files) {
    FolderListing listing{FolderListing::State::listed, {}};
    for (const auto& [name, content] : files) {
      listing.entries.push_back({name, name, true});
    }
    return listing;
  }
  static FolderFileReader contentOf(const Files& files) {
    return [&files](const FolderEntry& entry) -> std::optional<std::string> {
      for (const auto& [name, content] : files) {
        if (name == entry.name) {
          return content;
        }
      }
      return std::nullopt;
    };
  }
  ConfigRead config = parseRunConfig("01/01/2013|31/03/2013|100|x.txt", nullptr);
  EntriesRead plan = parseEntries(planText, nullptr);
  MovementList planList = movementListOf(plan.entries);
  ScenariosRead scenarios;
  RunInputs inputs{config.records.front(), plan};
  RunSpan span;
  PageModel series{planList, 100};
  ScenarioWalks walks;
};

std::string dataOf(const std::optional<ExactAmount>& target, bool withScenario = true) {
  Walked walked(target,
                withScenario ? Walked::Files{{"coche.txt", scenarioText}} : Walked::Files{});
  return scenarioData(walked.series, walked.inputs, walked.walks);
}

// The text from `key` to the end of its line.
std::string lineOf(const std::string& data, const std::string& key, std::size_t from = 0) {
  const std::size_t at = data.find("\"" + key + "\":", from);
  return at == std::string::npos ? "" : data.substr(at, data.find('\n', at) - at);
}

TEST(ScenarioData, FiguresDaysAndDifferences) {
  EXPECT_EQ(dataOf(std::nullopt, false), "") << "no scenario: the page as it was";

  const std::string whole = dataOf(std::nullopt);
  const std::size_t scenario = whole.find("{\"nombre\":\"coche\",\"fichero\":\"coche.txt\"");
  ASSERT_NE(scenario, std::string::npos);
  EXPECT_EQ(lineOf(whole, "cifras").substr(0, 142),
            R"("cifras":{"desde":"2013-01-01","hasta":"2013-03-31","cierre":2650.00,)"
            R"("minimo":{"dia":"2013-01-01","saldo":-50.00},"maximo":{"dia":"2013-03-02")");
  EXPECT_NE(lineOf(whole, "cifras", scenario).find(R"("primerDiaBajoCero":null,"diasBajoCero":0)"),
            std::string::npos);
  EXPECT_EQ(lineOf(whole, "diferencias", scenario),
            R"("diferencias":{"cierre":400.00,"minimo":150.00,"totalPuesto":0.00,)"
            R"("totalQuitado":-400.00,"diasBajoCero":-1,"tramos":-1},)");
  EXPECT_EQ(lineOf(whole, "saldos", scenario).substr(0, 30), R"("saldos":[100.00,1100.00,1050.)");
  EXPECT_EQ(lineOf(whole, "anadidosDia", scenario), R"("anadidosDia":{"2013-01-03":[0]},)");
  EXPECT_EQ(lineOf(whole, "quitadosDia", scenario),
            R"("quitadosDia":{"2013-01-01":[0],"2013-02-01":[0],"2013-03-01":[0]},)");
  EXPECT_EQ(lineOf(whole, "dias", scenario), "") << "the plan's days";

  // An amount run: the scenario reaches 2000 on 02/02, the plan on 02/03.
  const std::string amount = dataOf(ExactAmount{"2000", ""});
  const std::size_t own = amount.find("{\"nombre\":");
  EXPECT_NE(lineOf(amount, "cifras").find(R"("diaObjetivo":"2013-03-02"})"), std::string::npos);
  EXPECT_NE(lineOf(amount, "cifras", own).find(R"("diaObjetivo":"2013-02-02"})"),
            std::string::npos);
  const std::string days = lineOf(amount, "dias", own);
  EXPECT_TRUE(days.starts_with(R"("dias":["2013-01-01",)") && days.ends_with(R"("2013-02-02"],)"))
      << days;
}

// Over centuries the points are weeks: a scenario's point lists then hold
// the lowest of each point too, one for each balance.
TEST(ScenarioData, PointsOfWeeksHaveTheirLowests) {
  const ConfigRead config = parseRunConfig("01/01/2000|31/12/2600|100|x.txt", nullptr);
  const EntriesRead plan = parseEntries(planText, nullptr);
  const RunInputs inputs{config.records.front(), plan};
  const Walked::Files files{{"coche.txt", scenarioText}};
  const ScenariosRead scenarios =
      readScenarios(Walked::listingOf(files), Walked::contentOf(files), plan, '/', nullptr);
  const RunSpan span{{1, 1, 2000}, {31, 12, 2600}, std::nullopt};
  const std::string data = scenarioPartsOf(ChartWalk(inputs, scenarios, span), false).data;
  const auto count = [&data](const std::string& key) {
    const std::string line = lineOf(data, key);
    return std::count(line.begin(), line.end(), ',');
  };
  EXPECT_NE(lineOf(data, "paso"), "\"paso\":\"dia\",");
  EXPECT_GT(count("saldos"), 30000);
  EXPECT_EQ(count("minimos"), count("saldos"));
}

// The record lows of each line: before today those below every earlier day,
// from today (15/01) on those below every day from today, today first.
TEST(ScenarioData, RecordLowsCountAfreshFromToday) {
  Walked walked(std::nullopt, {{"coche.txt", scenarioText}});
  const DateParts day{15, 1, 2013};
  EXPECT_EQ(recordLowsJson(ChartWalk(walked.inputs, walked.scenarios, walked.span, {}, day)),
            "[[[\"2013-01-01\",-50.00],[\"2013-01-15\",950.00],[\"2013-02-01\",800.00]],"
            "[[\"2013-01-01\",100.00],[\"2013-01-15\",1050.00]]]");

  // The scenario walked from today with today's balance (2000 at its start);
  // the plan as before.
  const WalksStart today{{15, 1, 2013}, 2000};
  // Its points of its own from today, and the parts that change with it: the
  // comparison and the choice of tables, every group empty; the lows come
  // from the same walks.
  const ChartParts parts = scenarioPartsOf(
      ChartWalk(walked.inputs, walked.scenarios, walked.span, today, today.day), true);
  EXPECT_EQ(parts.lows,
            "[[[\"2013-01-01\",-50.00],[\"2013-01-15\",950.00],[\"2013-02-01\",800.00]],"
            "[[\"2013-01-15\",2000.00]]]");
  EXPECT_NE(parts.data.find(R"("dias":["2013-01-15",)"), std::string::npos) << parts.data;
  EXPECT_TRUE(parts.data.starts_with("{") && parts.data.ends_with("}"));
  EXPECT_TRUE(parts.body.starts_with("<section id=\"y-si\">")) << parts.body;
  // The plan beside it counts from today too: 2.000 put in from 15/01, not
  // the quarter's 3.000, and its lowest 800 on 01/02, not -50 on 01/01.
  EXPECT_NE(parts.body.find("cuentan desde hoy (15/01/2013)"), std::string::npos);
  EXPECT_NE(parts.body.find("<th scope=\"row\">Total puesto (poner)</th><td>2.000'00</td>"),
            std::string::npos)
      << parts.body;
  EXPECT_NE(parts.body.find("<th scope=\"row\">Saldo más bajo</th><td>800'00, el 01/02/2013"),
            std::string::npos)
      << parts.body;
  EXPECT_NE(parts.body.find("<div class=\"tablas-linea\" data-linea=\"0\">\n</div>\n"
                            "<div class=\"tablas-linea\" data-linea=\"1\" hidden></div>\n</div>\n"),
            std::string::npos)
      << parts.body;
}

TEST(ScenarioComparison, HeadingsCellsAndDifferences) {
  const std::string paroText = "-Nomina|1000|poner|mensualidad|2|0\r\n"
                               "Subsidio|10|poner|mensualidad|2|0\r\n"
                               "Coche|50|quitar|concreta|03/01/2013|0\r\n";
  Walked walked(ExactAmount{"2000", ""}, {{"coche.txt", scenarioText}, {"paro.txt", paroText}});
  walked.walks.leftOut = {"x.txt", "y<.txt"};
  std::string table;
  appendScenarioComparison(table, walked.series, walked.walks);
  for (const char* text : {
           "<th scope=\"col\">Plan</th><th scope=\"col\"><span class=\"nombre\">coche</span>"
           "<details class=\"cambios\"><summary>+1 movimiento, \xE2\x88\x92"
           "1</summary><ul><li>+ <code>Coche|50|quitar|concreta|03/01/2013|0</code></li>",
           "<span class=\"nombre\">paro</span><details class=\"cambios\"><summary>+2 "
           "movimientos, \xE2\x88\x92"
           "1</summary>",
           "<li>\xE2\x88\x92 <code>Nomina|1000|poner|mensualidad|2|0</code></li></ul>",
           "<tr><th scope=\"row\">Saldo final</th><td>2.650'00</td><td>2.050'00 <span "
           "class=\"dif\">(-600'00)</span></td><td><span class=\"neg\">-370'00</span> <span "
           "class=\"dif\">(-3.020'00)</span></td></tr>",
           "<td>01/01/2013</td><td>nunca</td><td>01/01/2013 <span class=\"dif\">(el mismo "
           "d\xC3\xAD"
           "a)</span></td>",
           "<span class=\"dif\">(+89 d\xC3\xAD"
           "as)</span>",
           "<td>ninguno <span class=\"dif\">(-1 d\xC3\xAD"
           "a, -1 tramo)</span></td>",
           "<td data-hoy=\"gastar\" data-linea=\"0\"></td><td data-hoy=\"gastar\" "
           "data-linea=\"1\"></td><td data-hoy=\"gastar\" data-linea=\"2\"></td></tr>",
           "Total puesto (poner)</th><td>3.000'00</td><td>2.000'00 <span "
           "class=\"dif\">(-1.000'00)</span>",
           "llega a 2.000'00</th><td>02/03/2013</td><td>02/02/2013 <span class=\"dif\">(28 "
           "d\xC3\xAD"
           "as antes)</span></td><td>no se alcanza</td></tr>",
           "<tbody class=\"colchon\" hidden>\n<tr><th scope=\"row\">Primer d\xC3\xAD"
           "a por debajo del colch\xC3\xB3n</th><td data-colchon=\"primero\" data-linea=\"0\">"
           "</td>",
           "<td data-colchon=\"gastar\" data-linea=\"2\"></td></tr>\n</tbody>",
           "quedan fuera: x.txt, y&lt;.txt.</p>",
       }) {
    EXPECT_NE(table.find(text), std::string::npos) << text << "\n" << table;
  }

  // The tables: the plan's shown, each scenario's hidden, a choice of them;
  // a scenario's are left to the page's engine, or written in its group.
  std::string tables;
  appendLineTables(tables, walked.series, walked.walks, ScenarioTables::onDemand);
  EXPECT_NE(tables.find("<option value=\"2\">el escenario paro</option>"), std::string::npos);
  EXPECT_NE(tables.find("<div class=\"tablas-linea\" data-linea=\"2\" hidden></div>\n"),
            std::string::npos);
  EXPECT_EQ(tables.find("escenario paro</h2>"), std::string::npos);
  std::string held;
  appendLineTables(held, walked.series, walked.walks, ScenarioTables::inPage);
  std::string group = "<div class=\"tablas-linea\" data-linea=\"2\" hidden>\n";
  appendScenarioTables(group, walked.walks.walks[1]);
  EXPECT_NE(held.find(group + "</div>\n"), std::string::npos);
  EXPECT_NE(group.find("<h2>Meses: escenario paro</h2>"), std::string::npos) << group;

  // The months of the data, for the CSV: paro is below zero from 01/01 on.
  const std::string data = scenarioData(walked.series, walked.inputs, walked.walks);
  const std::size_t paro = data.find("{\"nombre\":\"paro\"");
  const std::size_t months = data.find("\"meses\":{", paro);
  for (const char* line :
       {R"("meses":{"desde":"2013-01",)", R"("diaMinimo":[3,1,1],)",
        R"("puesto":[10.00,10.00,10.00],)", R"("quitado":[200.00,150.00,150.00],)",
        R"("cierre":[-90.00,-230.00,-370.00],)", R"("minimo":[-90.00,-240.00,-380.00]})"}) {
    const std::string_view text(line);
    const std::string key(text.substr(1, text.find('"', 1) - 1));
    EXPECT_EQ(lineOf(data, key, months).substr(0, text.size()), text);
  }

  // Without scenarios, neither the comparison nor the choice.
  const ScenarioWalks none;
  std::string plain;
  appendScenarioComparison(plain, walked.series, none);
  EXPECT_EQ(plain, "");
  appendLineTables(plain, walked.series, none, ScenarioTables::choiceOnly);
  EXPECT_EQ(plain, "") << "a page keeping its plan's tables gets nothing";
  appendLineTables(plain, walked.series, none, ScenarioTables::inPage);
  std::string alone;
  appendStretchTable(alone, walked.series);
  appendMonthTable(alone, walked.series);
  EXPECT_EQ(plain, alone);
}

TEST(ChartParts, LinesEndedByCrLf) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"a", "a"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"\n", "\r\n"},
      {"\r\n\n", "\r\n\r\n"},
      {"a\r\nb", "a\r\nb"},
  };
  for (const auto& [text, ended] : cases) {
    EXPECT_EQ(withCrLf(text), ended);
  }
}

} // namespace
} // namespace balvix
