#include "engine/engine.h"

#include "engine/engine_bytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace balvix {
namespace {

// A plan of January 2013: 1.000 at the start, the wage on the 1st.
const std::string config = "01/01/2013|31/01/2013|1000|saldo.txt\r\n";
const std::string entries = "Nomina|500|poner|mensualidad|1|0\r\n"
                            "Luz|50|quitar|mensualidad|5|0\r\n";

// A request field by field as the page writes it.
std::string field(std::string_view name, std::string_view value) {
  std::string out;
  for (std::string_view text : {name, value}) {
    for (std::size_t i = 0; i < 4; ++i) {
      out += static_cast<char>((text.size() >> (8 * i)) & 0xFF);
    }
    out += text;
  }
  return out;
}

std::string requestBytes(const std::vector<std::pair<std::string, std::string>>& fields) {
  std::string out = field("config", config) + field("entrada", entries);
  for (const auto& [name, value] : fields) {
    out += field(name, value);
  }
  return out;
}

struct Case {
  const char* name;
  std::vector<std::pair<std::string, std::string>> fields;
  EngineStatus status;
  std::string message; // its start, UTF-8
  std::vector<std::string> log;
  std::vector<ScenarioFaults> faulty;
  std::vector<std::string> inData; // texts the data holds
  bool lows;                       // record lows given
  std::vector<std::string> notInData = {};
};

TEST(PageEngine, RequestToAnswer) {
  const std::string wrong = "Nada|x|poner|mensualidad|1|0";
  const std::string fault = " [dinero] es erroneo, siempre mayor de 0 ...";
  const std::vector<Case> cases = {
      {"the page's data, and today's lows with it",
       {{"hoy", "10/01/2013"}},
       EngineStatus::walked,
       "",
       {},
       {},
       {"\"dias\":[\"2013-01-01\""},
       true},
      {"a faulty scenario refuses the run as in the program",
       {{"escenario", "b"}, {"texto", wrong}},
       EngineStatus::refused,
       "Errores en ficheros de programa",
       {"escenarios/b.txt Línea 1" + fault},
       {},
       {},
       false},
      {"the page's faulty scenarios are left out by name, with their own faults",
       {{"fallidos", "fuera"},
        {"escenario", "a"},
        {"texto", "Coche|9|quitar|mensualidad|2|0"},
        {"escenario", "a.txt b"},
        {"texto", wrong},
        {"escenario", "\xF1"},
        {"texto", wrong + "\r\n" + wrong}},
       EngineStatus::walked,
       "",
       {},
       {{"a.txt b.txt", {"escenarios/a.txt b.txt Línea 1" + fault}},
        {"ñ.txt", {"escenarios/ñ.txt Línea 1" + fault, "escenarios/ñ.txt Línea 2" + fault}}},
       {"\"nombre\":\"a\""},
       false},
      {"a scenario the page keeps off the walk gives its faults alone",
       {{"fallidos", "fuera"},
        {"escenario", "a"},
        {"texto", wrong},
        {"calcular", "no"},
        {"escenario", "b"},
        {"texto", "Coche|9|quitar|mensualidad|2|0"},
        {"escenario", "c"},
        {"texto", "Coche|9|quitar|mensualidad|2|0"},
        {"calcular", "no"}},
       EngineStatus::walked,
       "",
       {},
       {{"a.txt", {"escenarios/a.txt Línea 1" + fault}}},
       {"\"nombre\":\"b\""},
       false,
       {"\"nombre\":\"c\""}},
      {"today's balance walks a line \"real (banco)\" from today",
       {{"hoy", "30/01/2013"}, {"saldo", "-80.5"}},
       EngineStatus::walked,
       "",
       {},
       {},
       {"\"nombre\":\"real (banco)\""},
       true},
      {"today's balance is not taken on the last day, and the rest is walked",
       {{"hoy", "31/01/2013"}, {"saldo", "100"}},
       EngineStatus::balanceNotTaken,
       "El saldo de hoy solo",
       {},
       {},
       {"\"dias\":[\"2013-01-01\""},
       true},
      {"nor before the walk",
       {{"hoy", "31/12/2012"}, {"saldo", "100"}},
       EngineStatus::balanceNotTaken,
       "El saldo de hoy solo",
       {},
       {},
       {"\"dias\":[\"2013-01-01\""},
       true},
      {"a date outside the period is refused",
       {{"argumento", "05/05/2014"}},
       EngineStatus::refused,
       "La fecha NO",
       {},
       {},
       {},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<EngineRequest> request = requestOf(requestBytes(c.fields));
    ASSERT_TRUE(request);
    const EngineAnswer answer = answerOf(*request);
    EXPECT_EQ(answer.status, c.status);
    EXPECT_TRUE(answer.message.starts_with(c.message)) << answer.message;
    EXPECT_EQ(answer.log, c.log);
    ASSERT_EQ(answer.faultyScenarios.size(), c.faulty.size());
    for (std::size_t i = 0; i < c.faulty.size(); ++i) {
      EXPECT_EQ(answer.faultyScenarios[i].name, c.faulty[i].name);
      EXPECT_EQ(answer.faultyScenarios[i].lines, c.faulty[i].lines);
    }
    for (const std::string& text : c.inData) {
      EXPECT_NE(answer.data.find(text), std::string::npos) << text << "\n" << answer.data;
    }
    for (const std::string& text : c.notInData) {
      EXPECT_EQ(answer.data.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(answer.data.empty(), c.inData.empty());
    EXPECT_EQ(!answer.lows.empty(), c.lows);
  }
}

// One engine asked again and again, as a page asks on every key, answers
// each request as a fresh engine would: what it keeps of a plan serves only
// the same plan, argument, today, balance and cushion.
TEST(PageEngine, KeepsAPlanOnlyForTheSame) {
  const std::string more = entries + "Gas|20|quitar|mensualidad|7|0\r\n";
  const auto ask = [](const std::string& plan, const std::string& fields) {
    return field("config", config) + field("entrada", plan) + field("solo", "escenarios") +
           field("holgura", "si") + field("escenario", "a") +
           field("texto", "Coche|9|quitar|mensualidad|2|0") + fields;
  };
  const std::string today = field("hoy", "10/01/2013");
  Engine engine;
  for (const std::string& bytes : {
           ask(entries, today),
           ask(entries, today + field("escenario", "b") +
                            field("texto", "Luz|5|quitar|concreta|03/01/2013|0")),
           ask(more, today),
           ask(more, field("hoy", "03/01/2013")),
           ask(more, today + field("colchon", "1200")),
           ask(more, today + field("colchon", "1200") + field("saldo", "-50")),
           ask(more, today + field("colchon", "1200") + field("saldo", "80")),
           ask(more, field("hoy", "20/01/2013") + field("colchon", "1200") + field("saldo", "80")),
           ask(more, today + field("argumento", "25/01/2013")),
           field("config", config) + field("entrada", more) + today,
       }) {
    const std::optional<EngineRequest> request = requestOf(bytes);
    ASSERT_TRUE(request);
    EXPECT_EQ(bytesOf(engine.answer(*request)), bytesOf(answerOf(*request))) << bytes;
  }
}

TEST(PageEngine, MalformedRequests) {
  for (const std::string& bytes : {
           requestBytes({{"otro", "x"}}),         // no such field
           requestBytes({{"solo", "tablas 2"}}),  // no such part
           requestBytes({{"hoy", "31/02/2013"}}), // no such day
           requestBytes({{"saldo", "1,5"}}),      // no such balance
           requestBytes({{"config", "x"}}),       // twice
           requestBytes({{"escenario", "a"}}),
           requestBytes({{"escenario", "a"}, {"texto", ""}, {"calcular", "si"}}), // no text
           requestBytes({}).substr(0, 10),                                        // cut short
       }) {
    EXPECT_FALSE(requestOf(bytes)) << bytes;
  }
  EngineAnswer malformed;
  malformed.status = EngineStatus::malformed;
  EXPECT_EQ(bytesOf(malformed), field("estado", "mal formado"));
}

} // namespace
} // namespace balvix
