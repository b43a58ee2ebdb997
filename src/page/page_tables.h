#pragma once

#include "model/page_model.h"
#include "model/scenario_walks.h"

#include <string>
#include <string_view>

namespace balvix {

// Appends the table of the stretches below zero under its heading: per
// stretch its first and last day, its days, its lowest balance and the first
// day of it, and the movements of its first day; or one line saying there are
// none. Only the first rows are shown (the page's data holds them all), with
// a line saying how many more there are. `headingTail` (HTML) ends the
// heading.
void appendStretchTable(std::string& out, const PageModel& model,
                        std::string_view headingTail = {});

// Appends the month table under its heading: one table a year, each folded
// under a line with the year's closing balance and sums (open while the walk
// touches few years), a row per month with its closing balance, its lowest
// balance and the first day of it, put in and taken out; a month that ends a
// day below zero is marked, one the walk cut short says up to which day;
// each row carries its month as data-mes="aaaa-mm". A note follows when an
// amount has digits below the cent. `headingTail` (HTML) ends the heading.
void appendMonthTable(std::string& out, const PageModel& model, std::string_view headingTail = {});

// Where a page's scenario tables are written: in the page itself, or by the
// page's engine when the reader picks them (a long walk's tables, written
// for every scenario, would make the page many times larger and slower to
// open); `choiceOnly` writes the choice and the groups, all empty, for a
// page that keeps the plan's own tables (and nothing without scenarios).
enum class ScenarioTables { inPage, onDemand, choiceOnly };

// Appends the tables of the plan `plan` and, when there are scenarios, a
// hidden choice <select id="tablas-de"> (option i for line i: 0 the plan, i
// the scenario i of `walks`) and a <div class="tablas-linea" data-linea="i">
// per line, hidden but the plan's, for the page's script to switch: the
// plan's holds its tables; each scenario's holds its own
// (appendScenarioTables), or with ScenarioTables::onDemand is empty.
void appendLineTables(std::string& out, const PageModel& plan, const ScenarioWalks& walks,
                      ScenarioTables where);

// Appends the tables of the scenario walked in `walk` as those of the plan
// are written for its walk, with ": escenario NAME" ending each heading.
void appendScenarioTables(std::string& out, const ScenarioWalk& walk);

} // namespace balvix
