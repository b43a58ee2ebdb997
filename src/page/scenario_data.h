#pragma once

#include "model/page_model.h"
#include "model/scenario_walks.h"
#include "projection/run_span.h"

#include <string>

namespace balvix {

// The scenarios' part of the page's data: those of `walks`, the scenarios of
// `inputs` walked over the plan's span (walkScenarios), for the plan of
// `inputs` walked into `plan`. The page draws what this holds and computes no
// balance of its own.
//
// Empty when there is no scenario (no folder, or no file in it), so that the
// page is then the page without scenarios, byte for byte. Otherwise it is the
// members that follow, each on a line of its own, to go last in the data's
// object (appendPageData's `moreData`):
//   "cifras": the plan's figures (below);
//   "escenarios": one object per scenario, in name order:
//     "nombre": the file's name without ".txt", "fichero": the file's name;
//     "escalado": true for the line "gastos/ingresos" (scaledLine);
//     "anadidos", "quitados": the lines that add a movement and those that
//         take one away (without the "-"), as written;
//     "apuntesAnadidos", "apuntesQuitados": [comment, "poner"/"quitar",
//         amount as the page writes it] of each of them, in the same order;
//     "paso": as the plan's; "dias": only when its points are not the
//         plan's (an amount run that stops on another day, or points of
//         another step), the ISO day of each point;
//     "saldos", "minimos" (weeks and months only), "minimosFuturos": as
//         the plan's lists, for its own walk;
//     "anadidosDia", "quitadosDia" (days only): {"aaaa-mm-dd": [indexes]}
//         for the days that have any: the indexes into "anadidos" of the
//         added movements applied that day, and into "quitados" of the taken
//         ones that would have been;
//     "cifras": its figures; "diferencias": its figures less the plan's;
//     "tramosBajoCero": as the plan's;
//     "meses": the month table's months as columns, one item a month from
//         the month "desde" (aaaa-mm, null for none) on: "diaMinimo" the
//         day of the month of its first lowest balance, "puesto",
//         "quitado", and "cierre", "minimo" its closing and lowest balance
//         (left out in points of a month, where they are "saldos" and
//         "minimos");
//   "escenariosFuera": the file names beyond the sixth, which are not used.
// Figures ("cifras"): {"desde", "hasta": the first and last walked day;
//   "cierre": the closing balance; "minimo", "maximo": {"dia", "saldo"};
//   "primerDiaBajoCero": the first day that ends below zero, or null;
//   "diasBajoCero": the days that end below zero; "tramos": the stretches
//   of them; "totalPuesto", "totalQuitado"; in an amount run only,
//   "diaObjetivo": the day the target is reached, or null}.
// Differences ("diferencias"): {"cierre", "minimo", "totalPuesto",
//   "totalQuitado" (amounts), "diasBajoCero", "tramos" (counts)}, the
//   scenario's less the plan's, of the amounts as the page shows them.
std::string scenarioData(const PageModel& plan, const RunInputs& inputs,
                         const ScenarioWalks& walks);

} // namespace balvix
