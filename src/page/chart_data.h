#pragma once

#include "input/scenarios.h"
#include "model/chart_walk.h"
#include "model/page_model.h"
#include "model/scenario_walks.h"
#include "projection/run_span.h"

#include <cstddef>
#include <optional>
#include <string>

namespace balvix {

// The scenarios' members of the page's data (scenarioData) of a walk.
std::string scenarioMembersOf(const ChartWalk& walk);

// Of a walk given `lowsFrom`, the record lows of the plan and of each
// scenario (RecordLows), for figures counted from that day exact to the day
// on pages whose points are weeks or months: a JSON list with one list per
// line, the plan first, then the scenarios in order, of [day (ISO),
// balance] pairs.
std::string recordLowsJson(const ChartWalk& walk);

// What of a run's page changes with its data, byte for byte as the page of
// the same run holds it, lines ended by CR LF: `data`, the JSON text of its
// element "datos", and `body`, the HTML between its title and the end of its main part
// (appendPageBody); and, when asked for, `lows`: recordLowsJson.
struct ChartParts {
  std::string data;
  std::string body;
  std::string lows;
};
// Of a run walked (ChartWalk); `withLows` for a walk given `lowsFrom`, whose
// parts then have its record lows.
ChartParts chartPartsOf(const ChartWalk& walk, bool withLows);

// What of a run's page changes with its scenarios alone, for a page that
// keeps its plan's: `data`, a JSON object of the members of the page's data
// that come with scenarios ("cifras", "escenarios", "escenariosFuera"; {}
// without scenarios), and `body`, the comparison "¿Y si...?" and the box of
// the tables (id "tablas") with the choice of them and a group per line, all
// empty (ScenarioTables::choiceOnly); `withLows` as for chartPartsOf.
ChartParts scenarioPartsOf(const ChartWalk& walk, bool withLows);

// The tables of the scenario `line` of the run (1 for the first), as a page
// holding them writes them in its group (appendScenarioTables), lines ended
// by CR LF; empty when the run has no such scenario.
std::string scenarioTablesOf(const RunInputs& inputs, const ScenariosRead& scenarios,
                             const RunSpan& span, std::size_t line,
                             const std::optional<WalksStart>& start = {});

// `text` with every line ended by CR LF, as in every file the program
// writes: a line feed gets a carriage return before it, unless it has one
// already.
std::string withCrLf(std::string_view text);

} // namespace balvix
