#pragma once

#include "model/page_model.h"
#include "model/scenario_walks.h"

#include <string>

namespace balvix {

// The chart page of a finished walk (`model` has received `closing`): one
// self-contained HTML file in UTF-8, in Spanish, with its scripts, styles and
// data inline and nothing to load from elsewhere. At the top the key figures
// (key_figures.h); then the chart (a stepped line of the balance, red below
// zero, and one of the future minimum; zoomed by dragging, with a readout of
// the day under the cursor and its movements), links to the data as CSV, the
// stretches below zero and the months (page_tables.h), and the data the
// scripts draw from (page_data.h). Amounts are written as the report writes
// them but with a 0 before "'" (pageAmount), dates as dd/mm/aaaa.
//
// `moreData`: more members of the data's object, written last (see
// scenarioData).
// With `scenarios`, the comparison "¿Y si...?" follows the chart
// (scenario_table.h) and the tables can be switched to each scenario's
// (appendLineTables). `sources`, an element of the page's inputs, follows
// the data, and the rules of the program's files follow it (file_rules.h).
//
// The bytes depend only on the arguments: no time, place or locale.
std::string chartPage(const PageModel& model, const ChartRun& run, std::string_view moreData = {},
                      const ScenarioWalks& scenarios = {}, std::string_view sources = {});

} // namespace balvix
