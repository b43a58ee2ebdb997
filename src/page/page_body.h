#pragma once

#include "model/page_model.h"
#include "model/scenario_walks.h"
#include "page/page_tables.h"

#include <string>

namespace balvix {

// The part of the chart page that changes with its data, between its title
// and the end of its <main>: the key figures, the notes of lines whose balance stopped
// fitting in a number, the chart's box, the comparison "¿Y si...?" and the
// tables (or, when no day was walked, a line that says so). Written in
// UTF-8, lines ended by a line feed. `tables` says where the scenarios'
// tables are written (appendLineTables).
void appendPageBody(std::string& out, const PageModel& model, const ChartRun& run,
                    const ScenarioWalks& scenarios, ScenarioTables tables);

} // namespace balvix
