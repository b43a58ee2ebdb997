#include "chart/chart_page.h"

#include "chart/embedded_files.h"
#include "chart/page_text.h"
#include "projection/engine.h"
#include "projection/money.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

namespace balvix {

namespace {

// The page's own words are written here in UTF-8; the texts of the files
// (comments, the report's name) are Windows-1252 and go through appendText.

constexpr std::array<std::string_view, 12> monthNames = {
    "enero", "febrero", "marzo",      "abril",   "mayo",      "junio",
    "julio", "agosto",  "septiembre", "octubre", "noviembre", "diciembre"};

// Movements named after a lowest, highest or first negative day.
constexpr std::size_t movementsNamed = 3;

// The month table shows every year open when the walk touches at most this
// many; a longer one would be long to scroll and slow to lay out.
constexpr int yearsOpen = 10;

// Rows of the table of stretches below zero; the data holds them all.
constexpr std::size_t stretchRows = 200;

void appendText(std::string& out, std::string_view cp1252) {
  appendHtmlText(out, cp1252);
}

// A count with "." between groups of three digits, as the report groups
// amounts: 18.263.
void appendCount(std::string& out, std::int64_t number) {
  std::array<char, 24> digits{};
  char* end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
  appendThousands(out,
                  std::string_view(digits.data(), static_cast<std::size_t>(end - digits.data())));
}

// A target amount in the page's form, every decimal it has kept (at least
// two): 2000 gives 2.000'00, 0.801 gives 0'801.
void appendExactAmount(std::string& out, const ExactAmount& amount) {
  if (amount.units.empty()) {
    out += '0';
  }
  appendThousands(out, amount.units);
  out += '\'';
  out += amount.fraction;
  out.append(2 - std::min<std::size_t>(2, amount.fraction.size()), '0');
}

// An amount in the page's form; a negative one stands out.
void appendAmount(std::string& out, double value) {
  std::string text = pageAmount(value);
  if (!text.empty() && text.front() == '-') {
    out += "<span class=\"neg\">";
    out += text;
    out += "</span>";
  } else {
    out += text;
  }
}

// "1 día", "40 días".
void appendDays(std::string& out, std::int64_t count) {
  appendCount(out, count);
  out += count == 1 ? " día" : " días";
}

// One key figure: its label, and its value already written as HTML.
void appendFigure(std::string& out, std::string_view label, std::string_view valueHtml,
                  std::string_view className = {}) {
  out += className.empty() ? "<div>" : "<div class=\"";
  if (!className.empty()) {
    out += className;
    out += "\">";
  }
  out += "<dt>";
  out += label;
  out += "</dt><dd>";
  out += valueHtml;
  out += "</dd></div>\n";
}

// The movements of a day: "Nomina (poner 1.850'50), ..." and, past the first
// `limit`, how many more.
void appendMovements(std::string& out, const ChartSeries& series,
                     const std::vector<std::size_t>& movements, std::size_t limit) {
  for (std::size_t i = 0; i < movements.size() && i < limit; ++i) {
    const Entry& entry = series.entry(movements[i]);
    if (i > 0) {
      out += ", ";
    }
    appendText(out, entry.comment);
    out += " (";
    out += wordOf(entry.action);
    out += ' ';
    appendAmount(out, entry.amount);
    out += ')';
  }
  if (movements.size() > limit) {
    out += " y ";
    appendCount(out, static_cast<std::int64_t>(movements.size() - limit));
    out += " más";
  }
}

// "1.234'50, el 05/03/2027" and the movements of that day.
std::string dayFigure(const ChartSeries& series, const ChartDay& day, bool amountFirst) {
  std::string html;
  if (amountFirst) {
    appendAmount(html, day.balance);
    html += ", el ";
    html += dateText(day.day);
  } else {
    html += dateText(day.day);
    html += " (";
    appendAmount(html, day.balance);
    html += ')';
  }
  if (day.movements.empty()) {
    return html;
  }
  html += "<span class=\"detalle\">";
  html += day.movements.size() == 1 ? "Movimiento del día: " : "Movimientos del día: ";
  appendMovements(html, series, day.movements, movementsNamed);
  html += "</span>";
  return html;
}

std::string runText(const ChartSeries& series, const ChartRun& run) {
  std::string html;
  switch (run.mode) {
  case ChartMode::wholePeriod:
    html += "todo el periodo";
    break;
  case ChartMode::toDate:
    html += "hasta el ";
    appendText(html, run.argument);
    break;
  case ChartMode::toAmount: {
    html += "hasta que el saldo llegue a ";
    appendExactAmount(html, run.target);
    if (series.figures().dayCount > 0 && reachesAmount(series.figures().closing, run.target)) {
      html += ": lo alcanza el ";
      html += dateText(series.figures().last);
    } else {
      html += ": no lo alcanza en todo el periodo";
    }
    break;
  }
  }
  return html;
}

// What can be spent on the first day and still never end a day below zero:
// the lowest day-end balance of the walk, when it is above zero.
std::string spendFigure(const ChartFigures& figures) {
  std::string html;
  if (shownAmount(figures.lowest.balance) > 0) {
    appendAmount(html, figures.lowest.balance);
    html += "<span class=\"detalle\">el saldo más bajo que queda, el ";
    html += dateText(figures.lowest.day);
    html += "</span>";
  } else if (figures.firstBelowZero) {
    html += "nada<span class=\"detalle\">el saldo baja de cero el ";
    html += dateText(figures.firstBelowZero->day);
    html += "</span>";
  } else {
    html += "nada<span class=\"detalle\">el saldo llega a 0'00 el ";
    html += dateText(figures.lowest.day);
    html += "</span>";
  }
  return html;
}

void appendFigures(std::string& out, const ChartSeries& series, const ChartRun& run) {
  const ChartFigures& figures = series.figures();
  std::string html;
  out += "<dl class=\"cifras\">\n";

  html = "del " + dateText(figures.first) + " al " + dateText(figures.last) + " (";
  appendDays(html, figures.dayCount);
  html += ')';
  appendFigure(out, "Periodo", html);
  if (run.mode != ChartMode::wholePeriod) {
    html = "del " + dateText(run.periodFirst) + " al " + dateText(run.periodLast);
    appendFigure(out, "Periodo de config.txt", html);
  }
  appendFigure(out, "Proyección", runText(series, run));

  auto amountFigure = [&out](std::string_view label, double value) {
    std::string amount;
    appendAmount(amount, value);
    appendFigure(out, label, amount);
  };
  amountFigure("Saldo inicial", figures.opening);
  amountFigure("Saldo final", figures.closing);

  appendFigure(out, "Saldo más bajo", dayFigure(series, figures.lowest, true), "bajo");
  appendFigure(out, "Saldo más alto", dayFigure(series, figures.highest, true));
  appendFigure(out, "Primer día por debajo de cero",
               figures.firstBelowZero ? dayFigure(series, *figures.firstBelowZero, false)
                                      : std::string("nunca"),
               "bajo");
  if (figures.daysBelowZero > 0) {
    html.clear();
    appendDays(html, figures.daysBelowZero);
    const auto stretches = static_cast<std::int64_t>(series.belowZero().size());
    html += stretches == 1 ? ", en 1 tramo" : ", en ";
    if (stretches != 1) {
      appendCount(html, stretches);
      html += " tramos";
    }
  } else {
    html = "ninguno";
  }
  appendFigure(out, "Días por debajo de cero", html, "bajo");
  appendFigure(out, "Se puede gastar hoy sin bajar de cero", spendFigure(figures), "gastar");

  amountFigure("Total puesto (poner)", figures.putIn);
  amountFigure("Total quitado (quitar)", figures.takenOut);
  out += "</dl>\n";

  // The figures above count the balances at the end of each day; say so when
  // the opening balance would have changed them.
  const double opening = shownAmount(figures.opening);
  if (opening < shownAmount(figures.lowest.balance) ||
      opening > shownAmount(figures.highest.balance) || (opening < 0 && !figures.firstBelowZero)) {
    out += "<p class=\"nota\">El saldo más bajo, el más alto y el primer día por debajo de cero "
           "se miden al final de cada día; el saldo inicial no cuenta.</p>\n";
  }
}

void appendChart(std::string& out, const ChartSeries& series) {
  out += "<h2>Saldo al final de cada día</h2>\n<div class=\"grafico\">"
         "<div id=\"grafico-lienzo\"></div>\n"
         "<div id=\"lectura\" class=\"lectura\" aria-live=\"polite\"></div>\n"
         "<p class=\"nota pista\">Pase el cursor, o toque, sobre el gráfico para ver un día y "
         "sus movimientos. Arrastre sobre él para ampliar un tramo y haga doble clic para volver "
         "a verlo entero; en una pantalla táctil, use los botones de ampliar. El punto rojo marca "
         "el saldo más bajo; la línea verde, el saldo más bajo que queda desde cada día.</p>\n";
  if (series.step() != ChartStep::day) {
    out += "<p class=\"nota\">";
    out += series.step() == ChartStep::week
               ? "El periodo es tan largo que cada punto del gráfico es una semana (siete días "
                 "contados desde el primero): su saldo al cierre y su saldo más bajo."
               : "El periodo es tan largo que cada punto del gráfico es un mes: su saldo al "
                 "cierre y su saldo más bajo.";
    out += " Las cifras de arriba y la tabla de meses son exactas.</p>\n";
  }
  out += "<noscript><p class=\"nota\">El gráfico necesita JavaScript; las cifras y las tablas "
         "no.</p></noscript>\n</div>\n"
         "<p class=\"descargas\" hidden><a id=\"csv-dias\" download=\"saldo-por-dia.csv\">"
         "Descargar CSV</a> de cada punto del gráfico · <a id=\"csv-meses\" "
         "download=\"saldo-por-mes.csv\">Descargar CSV de los meses</a></p>\n";
}

// The stretches below zero, or one line saying there are none.
void appendStretches(std::string& out, const ChartSeries& series) {
  const std::vector<ChartStretch>& stretches = series.belowZero();
  out += "<h2>Tramos por debajo de cero</h2>\n";
  if (stretches.empty()) {
    out += "<p>El saldo no termina ningún día por debajo de cero.</p>\n";
    return;
  }
  out += "<div class=\"tabla\"><table class=\"tramos\">\n<thead><tr><th>Desde<th>Hasta<th>Días"
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
    appendAmount(out, stretch.lowest);
    out += "<td>";
    out += dateText(stretch.lowestDay);
    out += "<td class=\"texto\">";
    appendMovements(out, series, stretch.start.movements, movementsNamed);
    out += '\n';
  }
  out += "</tbody>\n</table></div>\n";
  if (stretches.size() > stretchRows) {
    out += "<p class=\"nota\">Y ";
    appendCount(out, static_cast<std::int64_t>(stretches.size() - stretchRows));
    out += " tramos más, en los datos de la página.</p>\n";
  }
}

// The months, one table a year. Each year folds away under a line with its
// closing balance and sums; the years are open while there are few of them.
// The rows leave their cells and rows unclosed, as HTML allows: a table of
// ten thousand years stays about half the size.
void appendMonths(std::string& out, const ChartSeries& series) {
  const std::vector<ChartMonth>& months = series.months();
  const bool open = months.empty() || months.back().year - months.front().year < yearsOpen;
  out += "<h2>Meses</h2>\n";
  for (auto month = months.begin(); month != months.end();) {
    auto yearEnd = month;
    double putIn = 0;
    double takenOut = 0;
    for (; yearEnd != months.end() && yearEnd->year == month->year; ++yearEnd) {
      putIn += yearEnd->putIn;
      takenOut += yearEnd->takenOut;
    }
    const std::string year = dateText({1, 1, month->year}).substr(6);
    out += open ? "<details class=\"anyo\" open><summary>" : "<details class=\"anyo\"><summary>";
    out += year;
    out += ": saldo al cierre ";
    appendAmount(out, std::prev(yearEnd)->closing);
    out += ", puesto ";
    appendAmount(out, putIn);
    out += ", quitado ";
    appendAmount(out, takenOut);
    out += "</summary>\n<div class=\"tabla\"><table class=\"meses\">\n<thead><tr><th>Mes"
           "<th>Saldo al cierre<th>Saldo más bajo<th>Día<th>Puesto (poner)<th>Quitado (quitar)"
           "</thead>\n<tbody>\n";
    for (; month != yearEnd; ++month) {
      out += month->belowZero ? "<tr class=\"bajo-cero\"><td>" : "<tr><td>";
      out += monthNames[static_cast<std::size_t>(month->month - 1) % monthNames.size()];
      out += ' ';
      out += year;
      if (month->lastDay.day < daysInMonth(month->year, month->month) &&
          std::next(month) == months.end()) {
        out += " (hasta el ";
        out += dateText(month->lastDay).substr(0, 2);
        out += ')';
      }
      out += "<td>";
      appendAmount(out, month->closing);
      out += "<td>";
      appendAmount(out, month->lowest);
      if (month->belowZero) {
        out += " <span class=\"marca\" title=\"por debajo de cero\">▼</span>";
      }
      out += "<td>";
      out += dateText(month->lowestDay).substr(0, 5);
      out += "<td>";
      appendAmount(out, month->putIn);
      out += "<td>";
      appendAmount(out, month->takenOut);
      out += '\n';
    }
    out += "</tbody>\n</table></div>\n</details>\n";
  }
  if (!months.empty()) {
    out += "<p class=\"nota\">▼: el saldo termina algún día del mes por debajo de cero.</p>\n";
  }
  if (series.figures().subCent) {
    out += "<p class=\"nota\">Algún importe tiene cifras por debajo del céntimo: las sumas de "
           "esta página son de los importes exactos, y el informe muestra cada movimiento "
           "redondeado, así que sumar sus líneas puede dar unos céntimos de diferencia.</p>\n";
  }
}

void appendDayJson(std::string& out, const ChartDay& day) {
  out += R"({"dia":")";
  out += isoDate(day.day);
  out += R"(","saldo":)";
  out += jsonAmount(day.balance);
  out += '}';
}

// "key":[...], from the texts of each point.
void appendJsonList(std::string& out, std::string_view key, const std::string& items) {
  out += '"';
  out += key;
  out += "\":[";
  out += items;
  out += "],\n";
}

void appendData(std::string& out, const ChartSeries& series, const ChartRun& run,
                std::string_view moreData) {
  const ChartStep step = series.step();
  std::string days;
  std::string balances;
  std::string lowests;
  std::string futureLowests;
  std::string putIn;
  std::string takenOut;
  std::string movements;
  series.forEachPoint([&](const ChartPoint& point) {
    const char* comma = days.empty() ? "" : ",";
    days += comma;
    days += '"';
    days += isoDate(point.day);
    days += '"';
    balances += comma;
    balances += jsonAmount(point.closing);
    lowests += comma;
    lowests += jsonAmount(point.lowest);
    futureLowests += comma;
    futureLowests += jsonAmount(point.futureLowest);
    putIn += comma;
    putIn += jsonAmount(point.putIn);
    takenOut += comma;
    takenOut += jsonAmount(point.takenOut);
    movements += comma;
    movements += '[';
    for (std::size_t i = 0; i < point.movements.size(); ++i) {
      movements += i > 0 ? "," : "";
      movements += std::to_string(point.movements[i]);
    }
    movements += ']';
  });
  out += R"(<script type="application/json" id="datos">{"informe":)";
  appendJsonString(out, run.reportName);
  out += ",\"paso\":";
  out += step == ChartStep::day ? "\"dia\"" : step == ChartStep::week ? "\"semana\"" : "\"mes\"";
  out += ",\n";
  appendJsonList(out, "dias", days);
  appendJsonList(out, "saldos", balances);
  if (step != ChartStep::day) {
    appendJsonList(out, "minimos", lowests);
  }
  appendJsonList(out, "minimosFuturos", futureLowests);
  appendJsonList(out, "puesto", putIn);
  appendJsonList(out, "quitado", takenOut);
  if (step == ChartStep::day) {
    appendJsonList(out, "movimientosDia", movements);
    std::string entries;
    for (std::size_t i = 0; i < series.entryCount(); ++i) {
      const Entry& entry = series.entry(i);
      entries += i > 0 ? ",\n[" : "[";
      appendJsonString(entries, entry.comment);
      entries += ",\"";
      entries += wordOf(entry.action);
      entries += "\",\"";
      entries += pageAmount(entry.amount);
      entries += "\"]";
    }
    appendJsonList(out, "apuntes", entries);
  }

  std::string stretches;
  for (const ChartStretch& stretch : series.belowZero()) {
    stretches += stretches.empty() ? "" : ",\n";
    stretches += R"({"desde":")" + isoDate(stretch.start.day) + R"(","hasta":")" +
                 isoDate(stretch.last) + R"(","dias":)" + std::to_string(stretch.dayCount) +
                 R"(,"minimo":)" + jsonAmount(stretch.lowest) + R"(,"diaMinimo":")" +
                 isoDate(stretch.lowestDay) + "\"}";
  }
  appendJsonList(out, "tramosBajoCero", stretches);

  std::string months;
  for (const ChartMonth& month : series.months()) {
    months += months.empty() ? "" : ",\n";
    months += R"({"mes":")" + isoDate(month.lastDay).substr(0, 7) + R"(","cierre":)" +
              jsonAmount(month.closing) + R"(,"minimo":)" + jsonAmount(month.lowest) +
              R"(,"diaMinimo":")" + isoDate(month.lowestDay) + R"(","puesto":)" +
              jsonAmount(month.putIn) + R"(,"quitado":)" + jsonAmount(month.takenOut) + "}";
  }
  appendJsonList(out, "meses", months);

  out += R"("periodo":{"desde":")" + isoDate(run.periodFirst) + R"(","hasta":")" +
         isoDate(run.periodLast) + "\"},\n";
  if (run.mode == ChartMode::toAmount) {
    out += "\"objetivo\":";
    out += run.target.units.empty() ? "0" : run.target.units;
    if (!run.target.fraction.empty()) {
      out += '.';
      out += run.target.fraction;
    }
    out += ",\n";
  } else if (run.mode == ChartMode::toDate && series.figures().dayCount > 0) {
    out += R"("fechaElegida":")" + isoDate(series.figures().last) + "\",\n";
  }
  if (series.figures().dayCount > 0) {
    out += "\"minimo\":";
    appendDayJson(out, series.figures().lowest);
    out += ",\"maximo\":";
    appendDayJson(out, series.figures().highest);
  } else {
    out += R"("minimo":null,"maximo":null)";
  }
  out += moreData;
  out += "}</script>\n";
}

} // namespace

std::string_view reportStem(std::string_view reportName) {
  constexpr std::string_view suffix = ".txt";
  if (reportName.size() >= suffix.size()) {
    const std::string_view end = reportName.substr(reportName.size() - suffix.size());
    bool same = true;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
      const char c = end[i];
      same = same && (c == suffix[i] || (c >= 'A' && c <= 'Z' && c - 'A' + 'a' == suffix[i]));
    }
    if (same) {
      reportName.remove_suffix(suffix.size());
    }
  }
  return reportName;
}

std::string chartPage(const ChartSeries& series, const ChartRun& run, std::string_view moreData) {
  // A report named only ".txt" keeps its whole name as the page's title.
  const std::string_view stem =
      reportStem(run.reportName).empty() ? run.reportName : reportStem(run.reportName);
  std::string out;
  out += "<!DOCTYPE html>\n<html lang=\"es\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         // Everything the page needs is inside it; the browser may load nothing.
         "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
         "script-src 'unsafe-inline'; style-src 'unsafe-inline'\">\n<title>";
  appendText(out, stem);
  out += " · saldo día a día</title>\n<style>\n";
  out += uplotStyle();
  out += "\n</style>\n<style>\n";
  out += pageStyle();
  out += "</style>\n</head>\n<body>\n<h1>Proyección del saldo: ";
  appendText(out, stem);
  out += "</h1>\n";

  if (series.figures().dayCount > 0) {
    appendFigures(out, series, run);
    appendChart(out, series);
    appendStretches(out, series);
    appendMonths(out, series);
  } else {
    out += "<p>No se ha recorrido ningún día.</p>\n";
  }

  out += "<footer>\n<p>Hecho con balvix-grafico. El gráfico lo dibuja uPlot, con esta "
         "licencia:</p>\n<pre>";
  appendText(out, uplotLicense());
  out += "</pre>\n</footer>\n";

  appendData(out, series, run, moreData);
  out += "<script>\n";
  out += uplotScript();
  out += "</script>\n<script>\n";
  out += pageScript();
  out += "</script>\n</body>\n</html>\n";
  return out;
}

} // namespace balvix
