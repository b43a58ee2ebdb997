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

// What the page says about its run besides the walk itself.
struct ChartRun {
  std::string_view reportName; // the report's name in config.txt, Windows-1252
  ChartMode mode = ChartMode::wholePeriod;
  std::string_view argument; // toDate: the date as given ("dd/mm/aaaa")
  ExactAmount target;        // toAmount: the amount to reach
};

// The chart page of a finished walk (`series` has received `closing`): one
// self-contained HTML file in UTF-8, in Spanish, with its scripts, styles and
// data inline and nothing to load from elsewhere. At the top the key figures
// (the period walked and the run, the opening and closing balance, the lowest
// and the highest balance with the first day of each, the first day below
// zero or "nunca", the totals put in and taken out); then the chart of the
// balance (a uPlot line chart, zoomed by dragging, with a readout of the date
// and the balance, the zero line and the lowest point marked); then one row
// per month (closing balance, put in, taken out). Amounts are written as the
// report writes them, dates as dd/mm/aaaa.
//
// The data is JSON in <script type="application/json" id="datos">:
//   "informe": the report's name;
//   "paso": "dia", "semana" or "mes", the span of one point (see ChartSeries);
//   "dias": the ISO date (aaaa-mm-dd) of each point, its last day;
//   "saldos": the balance at the end of that day, a number with two decimals
//             that is exactly the report's amount (1.234'50 is 1234.50);
//   "minimos": for weeks and months only, the lowest day-end balance of each;
//   "minimo", "maximo": {"dia", "saldo"} of the lowest and highest balance.
// With "paso" "dia", "dias" and "saldos" hold every walked day.
//
// The bytes depend only on the arguments: no time, place or locale.
std::string chartPage(const ChartSeries& series, const ChartRun& run);

} // namespace balvix
