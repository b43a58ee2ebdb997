#include "page/scenario_table.h"

#include "page/page_html.h"
#include "page/page_text.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <string_view>

namespace balvix {

namespace {

// The cell of one line: the line's figures and, for a scenario, the plan's
// to compare with.
using CellWriter =
    std::function<void(std::string& out, const PageModel& line, const PageModel* plan)>;

// One row: its label, the plan's cell, then each scenario's.
void appendRow(std::string& out, std::string_view label, const PageModel& plan,
               const ScenarioWalks& walks, const CellWriter& cell) {
  out += "<tr><th scope=\"row\">";
  out += label;
  out += "</th><td>";
  cell(out, plan, nullptr);
  out += "</td>";
  for (const ScenarioWalk& walk : walks.walks) {
    out += "<td>";
    cell(out, walk.series, &plan);
    out += "</td>";
  }
  out += "</tr>\n";
}

// A row of empty cells for the scripts, one per line: <td MARK data-linea="i">.
void appendScriptRow(std::string& out, std::string_view label, std::string_view mark,
                     const ScenarioWalks& walks) {
  out += "<tr><th scope=\"row\">";
  out += label;
  out += "</th>";
  for (std::size_t line = 0; line <= walks.walks.size(); ++line) {
    appendScriptCell(out, "td", mark, line);
  }
  out += "</tr>\n";
}

// " (+400'00)", " (-150'00)" or " (igual)": `mine` less `theirs`, as shown.
void appendAmountDifference(std::string& out, double mine, double theirs) {
  const double difference = roundedToCent(mine) - roundedToCent(theirs);
  out += " <span class=\"dif\">(";
  if (difference == 0) {
    out += "igual";
  } else {
    out += difference > 0 && std::isfinite(difference) ? "+" : "";
    out += pageAmount(difference);
  }
  out += ")</span>";
}

// " (3 días antes)", " (1 día después)" or " (el mismo día)".
void appendDayDifference(std::string& out, const DateParts& mine, const DateParts& theirs) {
  const std::int64_t difference = dayNumber(mine) - dayNumber(theirs);
  out += " <span class=\"dif\">(";
  if (difference == 0) {
    out += "el mismo día";
  } else {
    appendDays(out, difference < 0 ? -difference : difference);
    out += difference < 0 ? " antes" : " después";
  }
  out += ")</span>";
}

// "+3" or "-1": a signed count.
void appendSignedCount(std::string& out, std::int64_t count) {
  out += count < 0 ? "-" : "+";
  appendCount(out, count < 0 ? -count : count);
}

// The day of a line, or `none`, and how many days it falls from the plan's.
void appendDayCell(std::string& out, const DateParts* day, const DateParts* planDay, bool compare,
                   std::string_view none) {
  if (day == nullptr) {
    out += none;
    return;
  }
  out += dateText(*day);
  if (compare && planDay != nullptr) {
    appendDayDifference(out, *day, *planDay);
  }
}

// What the scenario changes: "+2 movimientos, −1", "+1 movimiento",
// "−1 movimiento" or "sin cambios".
std::string changesText(const Scenario& scenario) {
  const std::size_t added = scenario.added.size();
  const std::size_t taken = scenario.taken.size();
  std::string text;
  if (added > 0) {
    text += '+';
    appendCount(text, static_cast<std::int64_t>(added));
  }
  if (added > 0 && taken > 0) {
    text += added == 1 ? " movimiento, " : " movimientos, ";
  }
  if (taken > 0) {
    text += "\xE2\x88\x92";
    appendCount(text, static_cast<std::int64_t>(taken));
  }
  if (added > 0 && taken > 0) {
    return text;
  }
  if (added + taken == 0) {
    return "sin cambios";
  }
  text += added + taken == 1 ? " movimiento" : " movimientos";
  return text;
}

// A scenario's heading: its name, and its changes with their lines on request.
void appendScenarioHeading(std::string& out, const Scenario& scenario, const EntriesRead& plan) {
  out += R"(<th scope="col"><span class="nombre">)";
  appendHtmlEscaped(out, scenario.name);
  out += "</span><details class=\"cambios\"><summary>";
  out += changesText(scenario);
  out += "</summary><ul>";
  for (const Entry& entry : scenario.added) {
    out += "<li>+ <code>";
    appendHtmlEscaped(out, entry.line);
    out += "</code></li>";
  }
  for (std::size_t index : scenario.taken) {
    out += "<li>\xE2\x88\x92 <code>";
    appendHtmlEscaped(out, plan.entries[index].line);
    out += "</code></li>";
  }
  out += "</ul></details></th>";
}

// A cell of an amount of the figures, and how it differs from the plan's.
CellWriter amountCell(double ChartFigures::*amount) {
  return [amount](std::string& html, const PageModel& line, const PageModel* theirs) {
    appendHtmlAmount(html, line.figures().*amount);
    if (theirs != nullptr) {
      appendAmountDifference(html, line.figures().*amount, theirs->figures().*amount);
    }
  };
}

void lowestCell(std::string& html, const PageModel& line, const PageModel* theirs) {
  const ChartDay& lowest = line.figures().lowest;
  appendHtmlAmount(html, lowest.balance);
  html += ", el ";
  html += dateText(lowest.day);
  if (theirs != nullptr) {
    appendAmountDifference(html, lowest.balance, theirs->figures().lowest.balance);
  }
}

void firstBelowZeroCell(std::string& html, const PageModel& line, const PageModel* theirs) {
  const auto& mine = line.figures().firstBelowZero;
  const auto* plans = theirs != nullptr ? &theirs->figures().firstBelowZero : nullptr;
  appendDayCell(html, mine ? &mine->day : nullptr,
                plans != nullptr && *plans ? &(*plans)->day : nullptr, theirs != nullptr, "nunca");
}

void daysBelowZeroCell(std::string& html, const PageModel& line, const PageModel* theirs) {
  appendDaysBelowZero(html, line);
  if (theirs == nullptr) {
    return;
  }
  const std::int64_t days = line.figures().daysBelowZero;
  const auto stretches = static_cast<std::int64_t>(line.belowZero().size());
  const std::int64_t moreDays = days - theirs->figures().daysBelowZero;
  const std::int64_t moreStretches =
      stretches - static_cast<std::int64_t>(theirs->belowZero().size());
  html += " <span class=\"dif\">(";
  if (moreDays == 0 && moreStretches == 0) {
    html += "igual";
  }
  if (moreDays != 0) {
    appendSignedCount(html, moreDays);
    html += moreDays == 1 || moreDays == -1 ? " día" : " días";
  }
  if (moreStretches != 0) {
    html += moreDays != 0 ? ", " : "";
    appendSignedCount(html, moreStretches);
    html += moreStretches == 1 || moreStretches == -1 ? " tramo" : " tramos";
  }
  html += ")</span>";
}

// The row of the day each line reaches the target of an amount run.
void appendTargetRow(std::string& out, const PageModel& plan, const ScenarioWalks& walks,
                     const ExactAmount& target) {
  std::string label = "Día en que el saldo llega a ";
  appendExactAmount(label, target);
  appendRow(out, label, plan, walks,
            [&target](std::string& html, const PageModel& line, const PageModel* theirs) {
              auto reached = [&target](const PageModel& model) {
                const ChartFigures& figures = model.figures();
                return reachesAmount(figures.closing, target) ? &figures.last : nullptr;
              };
              appendDayCell(html, reached(line), theirs != nullptr ? reached(*theirs) : nullptr,
                            theirs != nullptr, "no se alcanza");
            });
}

// The scenario files beyond those compared, named after the table.
void appendLeftOut(std::string& out, const ScenarioWalks& walks) {
  if (walks.leftOut.empty()) {
    return;
  }
  out += "<p class=\"nota\">Solo se comparan los ";
  appendCount(out, static_cast<std::int64_t>(mostScenarios));
  out += " primeros escenarios por orden de nombre; quedan fuera: ";
  for (std::size_t i = 0; i < walks.leftOut.size(); ++i) {
    out += i > 0 ? ", " : "";
    appendHtmlEscaped(out, walks.leftOut[i]);
  }
  out += ".</p>\n";
}

} // namespace

void appendScenarioComparison(std::string& out, const PageModel& plan, const ScenarioWalks& walks) {
  if (walks.walks.empty()) {
    return;
  }
  out += "<section id=\"y-si\">\n<h2>\xC2\xBFY si...?</h2>\n<p class=\"nota\">El plan "
         "(entrada.txt) al lado de cada escenario de la carpeta escenarios; entre paréntesis, en "
         "qué se aparta el escenario del plan.";
  // Walked from a day of their own, the lines are set beside the plan from
  // that day on, not beside figures of another span.
  const PageModel& compared = walks.planFromStart != nullptr ? *walks.planFromStart : plan;
  if (walks.startDay) {
    out += " Todas las cifras, las del plan también, cuentan desde hoy (";
    out += dateText(*walks.startDay);
    out += ") hasta el final de cada línea.";
  }
  out += "</p>\n";
  appendTableBox(out, "Comparación del plan y los escenarios");
  out += "<table class=\"comparacion\">\n<thead><tr><td></td><th scope=\"col\">Plan</th>";
  for (const ScenarioWalk& walk : walks.walks) {
    appendScenarioHeading(out, *walk.scenario, *walks.plan);
  }
  out += "</tr></thead>\n<tbody>\n";
  appendRow(out, "Saldo final", compared, walks, amountCell(&ChartFigures::closing));
  appendRow(out, "Saldo más bajo", compared, walks, lowestCell);
  appendRow(out, "Primer día por debajo de cero", compared, walks, firstBelowZeroCell);
  appendRow(out, "Días por debajo de cero", compared, walks, daysBelowZeroCell);
  appendScriptRow(out, "Se puede gastar hoy", spendTodayCell, walks);
  appendScriptRow(out, expenseRoomLabel, expenseRoomCell, walks);
  appendScriptRow(out, monthlyRoomLabel, monthlyRoomCell, walks);
  appendRow(out, "Total puesto (poner)", compared, walks, amountCell(&ChartFigures::putIn));
  appendRow(out, "Total quitado (quitar)", compared, walks, amountCell(&ChartFigures::takenOut));
  if (walks.target) {
    appendTargetRow(out, compared, walks, *walks.target);
  }
  out += "</tbody>\n<tbody class=\"colchon\" hidden>\n";
  appendScriptRow(out, "Primer día por debajo del colchón", "data-colchon=\"primero\"", walks);
  appendScriptRow(out, "Se puede gastar hoy sin bajar del colchón", "data-colchon=\"gastar\"",
                  walks);
  out += "</tbody>\n</table></div>\n";
  appendLeftOut(out, walks);
  out += "</section>\n";
}

} // namespace balvix
