#pragma once

// The page's engine: what balvix-grafico would make of some inputs, asked in
// one request and told in one answer. This header is the whole contract; the
// page reaches it through the WebAssembly module (src/programs/wasm), whose
// bytes say the same fields (engine_bytes.h), and its balvixEngine.run.
//
// Texts: a request's texts are bytes as the files hold them (Windows-1252,
// or whatever the user's file holds: they are read exactly as the programs
// read a file). An answer's texts are all UTF-8.

#include "calendar/calendar.h"
#include "model/scaled_line.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace balvix {

// What of the page is wanted.
enum class EngineWant {
  everything,     // the page's data and body (chartPartsOf)
  recordLows,     // the record lows alone (needs today)
  room,           // the figures of room alone (needs today: roomJson)
  scenarioParts,  // the parts that change with the scenarios alone (scenarioPartsOf)
  scenarioTables, // the tables of the scenario `tablesOf` alone, as the body
};

// What a scenario with faults does: refuse the run, as in the program, or
// stay off the walk while the rest is walked, as the page's typed scenarios.
enum class FaultyScenarios { refuseRun, leaveOut };

// A scenario file: its name (".txt" added when missing: scenarioFileName)
// and its bytes. No two scenarios of a request have one file name.
struct ScenarioText {
  std::string name;
  std::string text;
  // False for a scenario the page keeps off the walk for faults of its own
  // (a character no file can hold): only its faults are read.
  bool walked = true;
};

// The file of the scenario named `name`: "coche" and "coche.txt" are
// "coche.txt".
std::string scenarioFileName(std::string_view name);

struct EngineRequest {
  std::string config;  // the bytes of config.txt
  std::string entries; // the bytes of entrada.txt
  std::vector<ScenarioText> scenarios;
  // The argument as given after the program's name; empty is the whole period.
  std::string argument;
  std::optional<DateParts> today;
  // Today's balance as the bank tells it: with `today`, every line beside the
  // plan is walked from today with it, a line "real (banco)" first.
  std::optional<double> todayBalance;
  // With `today`, the percents of the line "gastos/ingresos" (scaledLine),
  // last beside the plan.
  Scaling scaling;
  double cushion = 0;    // the floor of the figures of room
  bool withRoom = false; // the figures of room too, with what is wanted
  char separator = '/';  // of a scenario file's path in its faults ('\\' as on Windows)
  EngineWant want = EngineWant::everything;
  std::size_t tablesOf = 0; // for scenarioTables: 1 for the first scenario
  FaultyScenarios faultyScenarios = FaultyScenarios::refuseRun;
};

enum class EngineStatus {
  walked,          // the inputs were walked: the parts asked for are there
  refused,         // the program would not walk them: `message`, and `log` when faulty
  balanceNotTaken, // walked without today's balance, which `message` says why it was not taken
  malformed,       // the request could not be read (only from its bytes)
  outOfMemory,     // the engine ran out of memory (only told by the page)
};

// A scenario left off the walk for its faults, with the lines Errores.txt
// would hold for them.
struct ScenarioFaults {
  std::string name; // the file's name, "coche.txt"
  std::vector<std::string> lines;
};

struct EngineAnswer {
  EngineStatus status = EngineStatus::walked;
  std::string message;                         // what the program would show; empty if nothing
  std::vector<std::string> log;                // the lines of Errores.txt
  std::vector<ScenarioFaults> faultyScenarios; // with FaultyScenarios::leaveOut
  std::string data; // the page's data (JSON), or the scenarios' members for scenarioParts
  std::string body; // the page's body, or the parts or tables asked for
  // With `today` on a walk of every line (all but scenarioTables), their
  // record lows from today (ChartWalk::recordLows).
  std::string lows;
  std::string room; // for EngineWant::room or withRoom, roomJson of every line
};

// The answer to `request`, from an engine that knows no request before it.
EngineAnswer answerOf(const EngineRequest& request);

class PlanMemo;

// An engine that answers request after request, each as answerOf would: it
// keeps the plan read and walked for a request, and takes it as it was for
// the next on the same files, argument and today (a page's keys typed in a
// scenario's box), instead of walking it again.
class Engine {
public:
  Engine();
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  EngineAnswer answer(const EngineRequest& request);

private:
  std::unique_ptr<PlanMemo> memo_;
};

} // namespace balvix
