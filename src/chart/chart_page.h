#pragma once

#include "chart/chart_series.h"
#include "projection/money.h"

#include <string>
#include <string_view>

namespace balvix {

// The projection a run was asked for.
enum class ChartMode {
  wholePeriod, // "int", or no argument
  toDate,      // a date inside the period
  toAmount,    // until the balance reaches an amount
};

// The report's name without its ".txt" (in any letter case): balance2027.TXT
// gives balance2027, and ".txt" gives an empty stem.
std::string_view reportStem(std::string_view reportName);

// What the page says about its run besides the walk itself.
struct ChartRun {
  std::string_view reportName; // the report's name in config.txt, Windows-1252
  ChartMode mode = ChartMode::wholePeriod;
  std::string_view argument; // toDate: the date as given ("dd/mm/aaaa")
  ExactAmount target;        // toAmount: the amount to reach
  DateParts periodFirst;     // the period of config.txt, shown beside a shorter run
  DateParts periodLast;
};

// The chart page of a finished walk (`series` has received `closing`): one
// self-contained HTML file in UTF-8, in Spanish, with its scripts, styles and
// data inline and nothing to load from elsewhere. At the top the key figures
// (the period walked and the run, with the period of config.txt beside a
// shorter run; the opening and closing balance; the lowest and the highest
// balance with the first day of each; the first day below zero or "nunca";
// the days below zero and their stretches; what can be spent on the first day
// without going below zero; the totals put in and taken out); then the chart
// (a stepped line of the balance, red below zero, and one of the future
// minimum; zoomed by dragging, with a readout of the day under the cursor and
// its movements), links to the data as CSV, the stretches below zero, and one
// row per month (closing balance, lowest balance and its day, put in, taken
// out). Amounts are written as the report writes them but with a 0 before
// "'" (pageAmount), dates as dd/mm/aaaa.
//
// The data is JSON in <script type="application/json" id="datos">:
//   "informe": the report's name;
//   "paso": "dia", "semana" or "mes", the span of one point (see ChartSeries);
//   "dias": the ISO date (aaaa-mm-dd) of each point, its last day;
//   "saldos": the balance at the end of that day, a number with two decimals
//             that is exactly the report's amount (1.234'50 is 1234.50);
//   "minimos": for weeks and months only, the lowest day-end balance of each;
//   "minimosFuturos": the future minimum of each point;
//   "puesto", "quitado": what each point put in and took out;
//   "movimientosDia": for days only, the movements of each day, as indexes
//             into "apuntes", which holds [comment, "poner"/"quitar", amount
//             as the page writes it] for every movement of entrada.txt;
//   "minimo", "maximo": {"dia", "saldo"} of the lowest and highest balance;
//   "tramosBajoCero": [{"desde", "hasta", "dias", "minimo", "diaMinimo"}];
//   "meses": [{"mes" (aaaa-mm), "cierre", "minimo", "diaMinimo", "puesto",
//             "quitado"}];
//   "periodo": {"desde", "hasta"} of config.txt;
//   "objetivo": the amount of an amount run, "fechaElegida": the day of a
//             date run (absent otherwise).
// With "paso" "dia", "dias" and "saldos" hold every walked day. Amounts are
// numbers with two decimals, as "saldos".
//
// `moreData` goes last in the data's object as it is (see scenarioData).
//
// The bytes depend only on the arguments: no time, place or locale.
std::string chartPage(const ChartSeries& series, const ChartRun& run,
                      std::string_view moreData = {});

} // namespace balvix
