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

// The page's own words are written here in Windows-1252, like every text of
// the program, and turned into UTF-8 on their way into the page.

constexpr std::array<std::string_view, 12> monthNames = {
    "enero", "febrero", "marzo",      "abril",   "mayo",      "junio",
    "julio", "agosto",  "septiembre", "octubre", "noviembre", "diciembre"};

// Movements named after a lowest, highest or first negative day.
constexpr std::size_t movementsNamed = 3;

// The month table shows every year open when the walk touches at most this
// many; a longer one would be long to scroll and slow to lay out.
constexpr int yearsOpen = 10;

void appendText(std::string& out, std::string_view cp1252) {
  appendHtmlText(out, cp1252);
}

// A count with "." between groups of three digits, as the report groups
// amounts: 18.263.
void appendCount(std::string& out, std::int64_t number) {
  std::array<char, 24> digits{};
  char* end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
  const auto length = end - digits.data();
  for (auto i = decltype(length){0}; i < length; ++i) {
    if (i > 0 && (length - i) % 3 == 0) {
      out += '.';
    }
    out += digits[static_cast<std::size_t>(i)];
  }
}

// A target amount in the report's form, every decimal it has kept (at least
// two): 2000 gives 2.000'00, 0.801 gives '801.
void appendExactAmount(std::string& out, const ExactAmount& amount) {
  const std::string& units = amount.units;
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (i > 0 && (units.size() - i) % 3 == 0) {
      out += '.';
    }
    out += units[i];
  }
  out += '\'';
  out += amount.fraction;
  if (amount.fraction.size() < 2) {
    out.append(2 - amount.fraction.size(), '0');
  }
}

// An amount as the report writes it; a negative one stands out.
void appendAmount(std::string& out, double value) {
  std::string text = formatMoney(value);
  if (!text.empty() && text.front() == '-') {
    out += "<span class=\"neg\">";
    out += text;
    out += "</span>";
  } else {
    out += text;
  }
}

// The report's name without its ".txt" (in any letter case).
std::string_view reportStem(std::string_view name) {
  constexpr std::string_view suffix = ".txt";
  if (name.size() > suffix.size()) {
    std::string_view end = name.substr(name.size() - suffix.size());
    bool same = true;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
      char c = end[i];
      same = same && (c == suffix[i] || (c >= 'A' && c <= 'Z' && c - 'A' + 'a' == suffix[i]));
    }
    if (same) {
      name.remove_suffix(suffix.size());
    }
  }
  return name;
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
  appendText(out, label);
  out += "</dt><dd>";
  out += valueHtml;
  out += "</dd></div>\n";
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
  appendText(html, day.movements.size() == 1 ? "Movimiento del d\xED"
                                               "a: "
                                             : "Movimientos del d\xED"
                                               "a: ");
  for (std::size_t i = 0; i < day.movements.size() && i < movementsNamed; ++i) {
    const Entry& entry = series.entry(day.movements[i]);
    if (i > 0) {
      html += ", ";
    }
    appendText(html, entry.comment);
    html += " (";
    html += wordOf(entry.action);
    html += ' ';
    appendAmount(html, entry.amount);
    html += ')';
  }
  if (day.movements.size() > movementsNamed) {
    html += " y ";
    appendCount(html, static_cast<std::int64_t>(day.movements.size() - movementsNamed));
    appendText(html, " m\xE1s");
  }
  html += "</span>";
  return html;
}

std::string runText(const ChartSeries& series, const ChartRun& run) {
  std::string html;
  switch (run.mode) {
  case ChartMode::wholePeriod:
    appendText(html, "todo el periodo");
    break;
  case ChartMode::toDate:
    appendText(html, "hasta el ");
    appendText(html, run.argument);
    break;
  case ChartMode::toAmount: {
    appendText(html, "hasta que el saldo llegue a ");
    appendExactAmount(html, run.target);
    if (series.figures().dayCount > 0 && reachesAmount(series.figures().closing, run.target)) {
      appendText(html, ": lo alcanza el ");
      html += dateText(series.figures().last);
    } else {
      appendText(html, ": no lo alcanza en todo el periodo");
    }
    break;
  }
  }
  return html;
}

void appendFigures(std::string& out, const ChartSeries& series, const ChartRun& run) {
  const ChartFigures& figures = series.figures();
  std::string html;
  out += "<dl class=\"cifras\">\n";

  html = "del " + dateText(figures.first) + " al " + dateText(figures.last) + " (";
  appendCount(html, figures.dayCount);
  appendText(html, figures.dayCount == 1 ? " d\xED"
                                           "a)"
                                         : " d\xED"
                                           "as)");
  appendFigure(out, "Periodo", html);
  appendFigure(out, "Proyecci\xF3n", runText(series, run));

  auto amountFigure = [&out](std::string_view label, double value) {
    std::string amount;
    appendAmount(amount, value);
    appendFigure(out, label, amount);
  };
  amountFigure("Saldo inicial", figures.opening);
  amountFigure("Saldo final", figures.closing);

  appendFigure(out, "Saldo m\xE1s bajo", dayFigure(series, figures.lowest, true), "bajo");
  appendFigure(out, "Saldo m\xE1s alto", dayFigure(series, figures.highest, true));
  appendFigure(out,
               "Primer d\xED"
               "a por debajo de cero",
               figures.firstBelowZero ? dayFigure(series, *figures.firstBelowZero, false)
                                      : std::string("nunca"),
               "bajo");

  amountFigure("Total puesto (poner)", figures.putIn);
  amountFigure("Total quitado (quitar)", figures.takenOut);
  out += "</dl>\n";

  // The figures above count the balances at the end of each day; say so when
  // the opening balance would have changed them.
  const double opening = shownAmount(figures.opening);
  if (opening < shownAmount(figures.lowest.balance) ||
      opening > shownAmount(figures.highest.balance) || (opening < 0 && !figures.firstBelowZero)) {
    out += "<p class=\"nota\">";
    appendText(out, "El saldo m\xE1s bajo, el m\xE1s alto y el primer d\xED"
                    "a por debajo de cero se "
                    "miden al final de cada d\xED"
                    "a; el saldo inicial no cuenta.");
    out += "</p>\n";
  }
}

void appendChart(std::string& out, const ChartSeries& series) {
  out += "<h2>";
  appendText(out, "Saldo al final de cada d\xED"
                  "a");
  out += "</h2>\n<div id=\"grafico-lienzo\"></div>\n<p class=\"nota\">";
  appendText(out, "Arrastre sobre el gr\xE1"
                  "fico para ampliar un tramo; doble clic para volver a verlo entero. El punto "
                  "rojo marca el saldo m\xE1s bajo.");
  out += "</p>\n";
  if (series.step() != ChartStep::day) {
    out += "<p class=\"nota\">";
    appendText(out, series.step() == ChartStep::week
                        ? "El periodo es tan largo que cada punto del gr\xE1"
                          "fico es una semana (siete d\xED"
                          "as contados desde el primero): "
                          "su saldo al cierre y su saldo m\xE1s bajo."
                        : "El periodo es tan largo que cada punto del gr\xE1"
                          "fico es un mes: su saldo al cierre y su saldo m\xE1s bajo.");
    appendText(out, " Las cifras de arriba y la tabla de meses son exactas.");
    out += "</p>\n";
  }
  out += "<noscript><p class=\"nota\">";
  appendText(out, "El gr\xE1"
                  "fico necesita JavaScript; las cifras y la tabla de meses no.");
  out += "</p></noscript>\n";
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
    appendText(out, ": saldo al cierre ");
    appendAmount(out, std::prev(yearEnd)->closing);
    appendText(out, ", puesto ");
    appendAmount(out, putIn);
    appendText(out, ", quitado ");
    appendAmount(out, takenOut);
    out += "</summary>\n<table class=\"meses\">\n<thead><tr><th>Mes<th>Saldo al cierre"
           "<th>Puesto (poner)<th>Quitado (quitar)</thead>\n<tbody>\n";
    for (; month != yearEnd; ++month) {
      out += "<tr><td>";
      out += monthNames[static_cast<std::size_t>(month->month - 1) % monthNames.size()];
      out += ' ';
      out += year;
      out += "<td>";
      appendAmount(out, month->closing);
      out += "<td>";
      appendAmount(out, month->putIn);
      out += "<td>";
      appendAmount(out, month->takenOut);
      out += '\n';
    }
    out += "</tbody>\n</table>\n</details>\n";
  }
}

void appendDayJson(std::string& out, const ChartDay& day) {
  out += R"({"dia":")";
  out += isoDate(day.day);
  out += R"(","saldo":)";
  out += jsonAmount(day.balance);
  out += '}';
}

void appendData(std::string& out, const ChartSeries& series, const ChartRun& run) {
  std::string days;
  std::string balances;
  std::string lowests;
  series.forEachPoint([&](const DateParts& day, double closing, double lowest) {
    const char* comma = days.empty() ? "" : ",";
    days += comma;
    days += '"';
    days += isoDate(day);
    days += '"';
    balances += comma;
    balances += jsonAmount(closing);
    lowests += comma;
    lowests += jsonAmount(lowest);
  });
  const ChartStep step = series.step();
  out += R"(<script type="application/json" id="datos">{"informe":)";
  appendJsonString(out, run.reportName);
  out += ",\"paso\":";
  out += step == ChartStep::day ? "\"dia\"" : step == ChartStep::week ? "\"semana\"" : "\"mes\"";
  out += ",\n\"dias\":[";
  out += days;
  out += "],\n\"saldos\":[";
  out += balances;
  out += "],\n";
  if (step != ChartStep::day) {
    out += "\"minimos\":[";
    out += lowests;
    out += "],\n";
  }
  if (series.figures().dayCount > 0) {
    out += "\"minimo\":";
    appendDayJson(out, series.figures().lowest);
    out += ",\"maximo\":";
    appendDayJson(out, series.figures().highest);
  } else {
    out += R"("minimo":null,"maximo":null)";
  }
  out += "}</script>\n";
}

} // namespace

std::string chartPage(const ChartSeries& series, const ChartRun& run) {
  const std::string_view stem = reportStem(run.reportName);
  std::string out;
  out += "<!DOCTYPE html>\n<html lang=\"es\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         // Everything the page needs is inside it; the browser may load nothing.
         "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
         "script-src 'unsafe-inline'; style-src 'unsafe-inline'\">\n<title>";
  appendText(out, stem);
  appendText(out, " \xB7 saldo d\xED"
                  "a a d\xED"
                  "a");
  out += "</title>\n<style>\n";
  out += uplotStyle();
  out += "\n</style>\n<style>\n";
  out += pageStyle();
  out += "</style>\n</head>\n<body>\n<h1>";
  appendText(out, "Proyecci\xF3n del saldo: ");
  appendText(out, stem);
  out += "</h1>\n";

  if (series.figures().dayCount > 0) {
    appendFigures(out, series, run);
    appendChart(out, series);
    appendMonths(out, series);
  } else {
    out += "<p>";
    appendText(out, "No se ha recorrido ning\xFAn d\xED"
                    "a.");
    out += "</p>\n";
  }

  out += "<footer>\n<p>";
  appendText(out, "Hecho con balvix-grafico. El gr\xE1"
                  "fico lo dibuja uPlot, con esta licencia:");
  out += "</p>\n<pre>";
  appendText(out, uplotLicense());
  out += "</pre>\n</footer>\n";

  appendData(out, series, run);
  out += "<script>\n";
  out += uplotScript();
  out += "</script>\n<script>\n";
  out += pageScript();
  out += "</script>\n</body>\n</html>\n";
  return out;
}

} // namespace balvix
