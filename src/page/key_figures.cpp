#include "page/key_figures.h"

#include "page/page_html.h"
#include "page/page_text.h"

#include <cstdint>
#include <string_view>
#include <utility>

namespace balvix {

namespace {

// The beginning of one key figure, up to its label: what follows is its
// value's <dd> and then "</div>" and a line end.
void appendFigureLabel(std::string& out, std::string_view label, std::string_view className) {
  out += className.empty() ? "<div>" : "<div class=\"";
  if (!className.empty()) {
    out += className;
    out += "\">";
  }
  out += "<dt>";
  out += label;
  out += "</dt>";
}

// One key figure: its label, and its value already written as HTML.
void appendFigure(std::string& out, std::string_view label, std::string_view valueHtml,
                  std::string_view className = {}) {
  appendFigureLabel(out, label, className);
  out += "<dd>";
  out += valueHtml;
  out += "</dd></div>\n";
}

// "1.234'50, el 05/03/2027" (or "05/03/2027 (1.234'50)") and the movements
// of that day.
std::string dayFigure(const PageModel& model, const ChartDay& day, bool amountFirst) {
  std::string html;
  if (amountFirst) {
    appendHtmlAmount(html, day.balance);
    html += ", el ";
    html += dateText(day.day);
  } else {
    html += dateText(day.day);
    html += " (";
    appendHtmlAmount(html, day.balance);
    html += ')';
  }
  if (day.movements.empty()) {
    return html;
  }
  html += "<span class=\"detalle\">";
  html += day.movements.size() == 1 ? "Movimiento del día: " : "Movimientos del día: ";
  appendMovementList(html, model, day.movements, movementsNamed);
  html += "</span>";
  return html;
}

std::string runText(const PageModel& model, const ChartRun& run) {
  const ChartFigures& figures = model.figures();
  std::string html;
  switch (run.goal) {
  case RunGoal::wholePeriod:
    html += "todo el periodo";
    break;
  case RunGoal::toDate:
    html += "hasta el ";
    html += dateText(figures.last);
    break;
  case RunGoal::toAmount:
    html += "hasta que el saldo llegue a ";
    appendExactAmount(html, run.target);
    if (reachesAmount(figures.closing, run.target)) {
      html += ": lo alcanza el ";
      html += dateText(figures.last);
    } else {
      html += ": no lo alcanza en todo el periodo";
    }
    break;
  }
  return html;
}

} // namespace

void appendKeyFigures(std::string& out, const PageModel& model, const ChartRun& run) {
  const ChartFigures& figures = model.figures();
  out += "<dl class=\"cifras\">\n";

  std::string html = "del " + dateText(figures.first) + " al " + dateText(figures.last) + " (";
  appendDays(html, figures.dayCount);
  html += ')';
  appendFigure(out, "Periodo", html);
  if (run.goal != RunGoal::wholePeriod) {
    appendFigure(out, "Periodo de config.txt",
                 "del " + dateText(run.periodFirst) + " al " + dateText(run.periodLast));
  }
  appendFigure(out, "Proyección", runText(model, run));

  auto amountFigure = [&out](std::string_view label, double value) {
    std::string amount;
    appendHtmlAmount(amount, value);
    appendFigure(out, label, amount);
  };
  amountFigure("Saldo inicial", figures.opening);
  amountFigure("Saldo final", figures.closing);

  appendFigure(out, "Saldo más bajo", dayFigure(model, figures.lowest, true), "bajo");
  appendFigure(out, "Saldo más alto", dayFigure(model, figures.highest, true));
  appendFigure(out, "Primer día por debajo de cero",
               figures.firstBelowZero ? dayFigure(model, *figures.firstBelowZero, false)
                                      : std::string("nunca"),
               "bajo");
  std::string belowZero;
  appendDaysBelowZero(belowZero, model);
  appendFigure(out, "Días por debajo de cero", belowZero, "bajo");
  // It depends on today: the page's script writes it.
  appendFigureLabel(out, "Se puede gastar hoy sin bajar de cero", "gastar");
  appendScriptCell(out, "dd", spendTodayCell, 0);
  out += "</div>\n";
  // So do the figures of room, which the page's engine works out.
  for (const auto& [label, mark] : {std::pair{expenseRoomLabel, expenseRoomCell},
                                    std::pair{monthlyRoomLabel, monthlyRoomCell}}) {
    appendFigureLabel(out, label, "holgura");
    appendScriptCell(out, "dd", mark, 0);
    out += "</div>\n";
  }

  amountFigure("Total puesto (poner)", figures.putIn);
  amountFigure("Total quitado (quitar)", figures.takenOut);
  out += "</dl>\n";

  // The figures above count the balances at the end of each day; say so when
  // the opening balance would have changed them.
  const double opening = roundedToCent(figures.opening);
  if (opening < roundedToCent(figures.lowest.balance) ||
      opening > roundedToCent(figures.highest.balance) ||
      (opening < 0 && !figures.firstBelowZero)) {
    out += "<p class=\"nota\">El saldo más bajo, el más alto y el primer día por debajo de cero "
           "se miden al final de cada día; el saldo inicial no cuenta.</p>\n";
  }
}

} // namespace balvix
