#pragma once

#include "model/page_model.h"
#include "model/scenario_walks.h"

#include <string>

namespace balvix {

// Appends the comparison of the plan with its scenarios, when there is any:
// a section "¿Y si...?" with a table whose column 0 is the plan and column i
// the scenario i of `walks` (from 1). Each scenario's heading names it and
// says what it adds and takes away ("+2 movimientos, −1"), the lines listed
// in a <details>. Rows: closing balance, lowest balance and its day, first
// day below zero, days below zero and their stretches, what can be spent
// today, totals put in and taken out and, in an amount run, the day the
// target is reached or "no se alcanza"; each scenario's cell says in
// parentheses how it differs from the plan. The cells that depend on today
// or on a cushion are written empty for the page's scripts to fill:
// <td data-hoy="gastar" data-linea="i"></td>, and in a hidden
// <tbody class="colchon"> <td data-colchon="primero" data-linea="i"></td>
// and <td data-colchon="gastar" data-linea="i"></td>. The files beyond the
// scenarios used are named after the table. Nothing without scenarios.
void appendScenarioComparison(std::string& out, const PageModel& plan, const ScenarioWalks& walks);

} // namespace balvix
