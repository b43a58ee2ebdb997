#include "chart/scenario_data.h"

#include "projection/engine.h"

#include <gtest/gtest.h>

#include <string>

namespace balvix {
namespace {

// 100 opening; on the 1st -150 (-50 on 01/01, the one day below zero), on
// the 2nd +1000. The scenario takes the 1st's movement away and adds -50 on
// 03/01: 100, 1100, 1050 on its first days.
const std::string planText = "Nomina|1000|poner|mensualidad|2|0\r\n"
                             "Luz|150|quitar|mensualidad|1|0\r\n";
const std::string scenarioText = "-Luz|150|quitar|mensualidad|1|0\r\n"
                                 "Coche|50|quitar|concreta|03/01/2013|0\r\n";

std::string dataOf(const std::optional<ExactAmount>& target, bool withScenario = true) {
  const ConfigRead config = parseRunConfig("01/01/2013|31/03/2013|100|x.txt", nullptr);
  const EntriesRead plan = parseEntries(planText, nullptr);
  const ScenariosRead scenarios = scenariosOf(
      {TextFolder::State::read,
       {withScenario ? std::vector<FolderFile>{{"coche.txt", FolderFile::State::read, scenarioText}}
                     : std::vector<FolderFile>{}}},
      plan, planText, '/', nullptr);
  const RunInputs inputs{config.records.front(), plan, &scenarios};
  const RunSpan span{{1, 1, 2013}, {31, 3, 2013}, target};
  PageModel series(plan, 100);
  walkDays(series, plan, 100, span.first, span.last, span.target);
  return scenarioData(series, inputs, walkScenarios(inputs, span));
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

} // namespace
} // namespace balvix
