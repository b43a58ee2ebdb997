#pragma once

#include "model/page_model.h"
#include "page/json_writer.h"

#include <string>
#include <string_view>

namespace balvix {

// Appends the data of the chart page, the page's contract with its scripts
// and with other tools, as one JSON object in
// <script type="application/json" id="datos">...</script> and a line end:
//   "informe": the report's name;
//   "paso": "dia", "semana" or "mes", the span of one point (see PageModel);
//   "dias": the ISO date (aaaa-mm-dd) of each point, its last day;
//   "saldos": the balance at the end of that day, a number with two decimals
//             that is exactly the report's amount (1.234'50 is 1234.50);
//   "minimos": for weeks and months only, the lowest day-end balance of each;
//   "minimosFuturos": the future minimum of each point;
//   "puesto", "quitado": what each point put in and took out;
//   "movimientosDia": for days only, the movements of each day, as indexes
//             into "apuntes", which holds [comment, "poner"/"quitar", amount
//             as the page writes it] for every movement of entrada.txt;
//   "tramosBajoCero": [{"desde", "hasta", "dias", "minimo", "diaMinimo"}];
//   "meses": [{"mes" (aaaa-mm), "cierre", "minimo", "diaMinimo", "puesto",
//             "quitado"}];
//   "periodo": {"desde", "hasta"} of config.txt;
//   "objetivo": the amount of an amount run, every decimal it was given;
//   "fechaElegida": the day of a date run (each absent otherwise);
//   "minimo", "maximo": {"dia", "saldo"} of the lowest and highest balance,
//             null when no day was walked.
// With "paso" "dia", "dias" and "saldos" hold every walked day. Amounts are
// numbers with two decimals, as "saldos"; dates are ISO dates. Every list
// ends its line, so that the data of a long walk is in lines of one list.
// `moreData`, members of the object written elsewhere (see scenarioData), go
// last, the first of them on a line of its own.
void appendPageData(std::string& out, const PageModel& model, const ChartRun& run,
                    std::string_view moreData = {});

// The JSON object of appendPageData alone, without its element.
void appendPageDataJson(std::string& out, const PageModel& model, const ChartRun& run,
                        std::string_view moreData = {});

// The pieces of the data that other parts of it write again for walks of
// their own.

// The point lists of a model, each the items of one JSON list: "dias",
// "saldos", "minimos", "minimosFuturos", "puesto", "quitado" and "movimientosDia", as
// appendPageData writes them.
struct PointLists {
  JsonItems days;
  JsonItems balances;
  JsonItems lowests;
  JsonItems futureLowests;
  JsonItems putIn;
  JsonItems takenOut;
  JsonItems movements;
};
// Which lists are written; the others are left empty.
struct PointListsWanted {
  bool days = true;
  bool lowests = true;
  bool totals = true; // "puesto", "quitado" and "movimientosDia"
};
PointLists pointListsOf(const PageModel& model, PointListsWanted wanted = {});

// "dia", "semana" or "mes", quoted.
std::string_view stepJson(ChartStep step);

// {"dia", "saldo"} of a day.
void appendDayJson(std::string& out, const ChartDay& day);

// [comment, "poner"/"quitar", amount as the page writes it] of a movement.
void appendMovementJson(std::string& out, const Entry& entry);

// The items of "tramosBajoCero".
JsonItems stretchesJson(const PageModel& model);

} // namespace balvix
