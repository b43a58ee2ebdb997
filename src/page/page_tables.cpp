#include "page/page_tables.h"

#include "page/page_html.h"
#include "page/page_text.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

namespace balvix {

namespace {

// The month table shows every year open when the walk touches at most this
// many; a longer one would be long to scroll and slow to lay out.
constexpr int yearsOpen = 10;

} // namespace

void appendStretchTable(std::string& out, const PageModel& model, std::string_view headingTail) {
  const std::vector<ChartStretch>& stretches = model.belowZero();
  out += "<h2>Tramos por debajo de cero";
  out += headingTail;
  out += "</h2>\n";
  if (stretches.empty()) {
    out += "<p>El saldo no termina ningún día por debajo de cero.</p>\n";
    return;
  }
  appendTableBox(out, "Tramos por debajo de cero");
  out += "<table class=\"tramos\">\n<thead><tr><th>Desde<th>Hasta<th>Días"
         "<th>Saldo más bajo<th>Día del más bajo<th>Movimientos del primer día</thead>\n"
         "<tbody>\n";
  for (std::size_t i = 0; i < stretches.size() && i < stretchRows; ++i) {
    const ChartStretch& stretch = stretches[i];
    out += "<tr><td>";
    out += dateText(stretch.start.day);
    out += "<td>";
    out += dateText(stretch.last);
    out += "<td>";
    appendCount(out, stretch.dayCount);
    out += "<td>";
    appendHtmlAmount(out, stretch.lowest);
    out += "<td>";
    out += dateText(stretch.lowestDay);
    out += "<td class=\"texto\">";
    appendMovementList(out, model, stretch.start.movements, movementsNamed);
    out += '\n';
  }
  out += "</tbody>\n</table></div>\n";
  if (stretches.size() > stretchRows) {
    out += "<p class=\"nota\">Y ";
    appendCount(out, static_cast<std::int64_t>(stretches.size() - stretchRows));
    out += " tramos más, en los datos de la página.</p>\n";
  }
}

namespace {

// One month's row; the last month of the walk says where it stops when that
// is before the month's end.
void appendMonthRow(std::string& out, const ChartMonth& month, const std::string& year,
                    bool lastMonth) {
  const std::string day = isoDate(month.lastDay);
  out += month.belowZero ? R"(<tr class="bajo-cero" data-mes=")" : R"(<tr data-mes=")";
  out += std::string_view(day).substr(0, day.size() - 3);
  out += "\"><td>";
  out += monthName(month.month);
  out += ' ';
  out += year;
  if (lastMonth && month.lastDay.day < daysInMonth(month.year, month.month)) {
    out += " (hasta el ";
    out += dayOfMonthText(month.lastDay);
    out += ')';
  }
  out += "<td>";
  appendHtmlAmount(out, month.closing);
  out += "<td>";
  appendHtmlAmount(out, month.lowest);
  if (month.belowZero) {
    out += " <span class=\"marca\" title=\"por debajo de cero\">▼</span>";
  }
  out += "<td>";
  out += dayMonthText(month.lowestDay);
  out += "<td>";
  appendHtmlAmount(out, month.putIn);
  out += "<td>";
  appendHtmlAmount(out, month.takenOut);
  out += '\n';
}

} // namespace

// The rows leave their cells and rows unclosed, as HTML allows: a table of
// ten thousand years stays about half the size.
void appendMonthTable(std::string& out, const PageModel& model, std::string_view headingTail) {
  const std::vector<ChartMonth>& months = model.months();
  const bool open = months.empty() || months.back().year - months.front().year < yearsOpen;
  out += "<h2>Meses";
  out += headingTail;
  out += "</h2>\n";
  for (auto month = months.begin(); month != months.end();) {
    auto yearEnd = month;
    double putIn = 0;
    double takenOut = 0;
    for (; yearEnd != months.end() && yearEnd->year == month->year; ++yearEnd) {
      putIn += yearEnd->putIn;
      takenOut += yearEnd->takenOut;
    }
    const std::string year = yearText(month->year);
    out += open ? "<details class=\"anyo\" open><summary>" : "<details class=\"anyo\"><summary>";
    out += year;
    out += ": saldo al cierre ";
    appendHtmlAmount(out, std::prev(yearEnd)->closing);
    out += ", puesto ";
    appendHtmlAmount(out, putIn);
    out += ", quitado ";
    appendHtmlAmount(out, takenOut);
    out += "</summary>\n";
    appendTableBox(out, "Meses de " + year);
    out += "<table class=\"meses\">\n<thead><tr><th>Mes"
           "<th>Saldo al cierre<th>Saldo más bajo<th>Día<th>Puesto (poner)<th>Quitado (quitar)"
           "</thead>\n<tbody>\n";
    for (; month != yearEnd; ++month) {
      appendMonthRow(out, *month, year, std::next(month) == months.end());
    }
    out += "</tbody>\n</table></div>\n</details>\n";
  }
  if (!months.empty()) {
    out += "<p class=\"nota\">▼: el saldo termina algún día del mes por debajo de cero.</p>\n";
  }
  if (model.figures().subCent) {
    out += "<p class=\"nota\">Algún importe tiene cifras por debajo del céntimo: las sumas de "
           "esta página son de los importes exactos, y el informe muestra cada movimiento "
           "redondeado, así que sumar sus líneas puede dar unos céntimos de diferencia.</p>\n";
  }
}

void appendScenarioTables(std::string& out, const ScenarioWalk& walk) {
  std::string tail = ": escenario ";
  appendHtmlEscaped(tail, walk.scenario->name);
  appendStretchTable(out, walk.series, tail);
  appendMonthTable(out, walk.series, tail);
}

void appendLineTables(std::string& out, const PageModel& plan, const ScenarioWalks& walks,
                      ScenarioTables where) {
  const bool planTables = where != ScenarioTables::choiceOnly;
  if (walks.walks.empty()) {
    if (planTables) {
      appendStretchTable(out, plan);
      appendMonthTable(out, plan);
    }
    return;
  }
  out += "<p class=\"elegir-tablas\" hidden><label>Tablas de <select id=\"tablas-de\">"
         "<option value=\"0\" selected>el plan</option>";
  for (std::size_t i = 0; i < walks.walks.size(); ++i) {
    out += "<option value=\"" + std::to_string(i + 1) + "\">el escenario ";
    appendHtmlEscaped(out, walks.walks[i].scenario->name);
    out += "</option>";
  }
  out += "</select></label></p>\n<div class=\"tablas-linea\" data-linea=\"0\">\n";
  if (planTables) {
    appendStretchTable(out, plan);
    appendMonthTable(out, plan);
  }
  out += "</div>\n";
  for (std::size_t i = 0; i < walks.walks.size(); ++i) {
    out += R"(<div class="tablas-linea" data-linea=")" + std::to_string(i + 1) + "\" hidden>";
    if (where == ScenarioTables::inPage) {
      out += "\n";
      appendScenarioTables(out, walks.walks[i]);
    }
    out += "</div>\n";
  }
}

} // namespace balvix
