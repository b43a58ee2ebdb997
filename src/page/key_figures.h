#pragma once

#include "model/page_model.h"

#include <string>

namespace balvix {

// Appends the key figures of the chart page, as a <dl class="cifras">: the
// period walked and the run (with the period of config.txt beside a shorter
// run), the opening and closing balance, the lowest and the highest balance
// with the first day of each and its movements, the first day below zero or
// "nunca", the days below zero and their stretches, an empty cell of what can
// be spent today without ever ending a day below zero (<dd data-hoy="gastar"
// data-linea="0">, which the page's script fills, as it depends on today),
// the two figures of room (cells expenseRoomCell and monthlyRoomCell, filled
// the same way),
// and the totals put in and taken out. A note follows when the opening
// balance lies outside what the figures, judged on day-end balances, say.
// The walk must have a day.
void appendKeyFigures(std::string& out, const PageModel& model, const ChartRun& run);

} // namespace balvix
