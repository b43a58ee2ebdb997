#include "page/page_body.h"

#include "page/key_figures.h"
#include "page/page_text.h"
#include "page/scenario_table.h"

namespace balvix {

namespace {

// The page's own words are written here in UTF-8; the texts of the files
// (comments, the report's name) are Windows-1252 and are escaped.

// The box the scripts draw the chart and the readout into, with its heading
// in a column of their own (which a wide screen keeps in view beside the
// fields and the scenarios), its hints, and the links to the CSV files
// (shown by the scripts).
void appendChartBox(std::string& out, const PageModel& model) {
  out += "<div class=\"zona-grafico\">\n<h2>Saldo al final de cada día</h2>\n<div "
         "class=\"grafico\">"
         "<div id=\"grafico-lienzo\"></div>\n"
         "<div id=\"lectura\" class=\"lectura\" aria-live=\"polite\"></div>\n"
         "<p class=\"nota pista\">Pase el cursor, o toque, sobre el gráfico para ver un día y "
         "sus movimientos. Arrastre sobre él para ampliar un tramo y haga doble clic para volver "
         "a verlo entero; en una pantalla táctil, use los botones de ampliar. El punto rojo marca "
         "el saldo más bajo; la línea verde, el saldo más bajo que queda desde cada día.</p>\n";
  if (model.step() != ChartStep::day) {
    out += "<p class=\"nota\">";
    out += model.step() == ChartStep::week
               ? "El periodo es tan largo que cada punto del gráfico es una semana (siete días "
                 "contados desde el primero): su saldo al cierre y su saldo más bajo."
               : "El periodo es tan largo que cada punto del gráfico es un mes: su saldo al "
                 "cierre y su saldo más bajo.";
    out += " Las cifras de arriba y la tabla de meses son exactas.</p>\n";
  }
  out += "<noscript><p class=\"nota\">El gráfico necesita JavaScript; las cifras y las tablas "
         "no.</p></noscript>\n</div>\n</div>\n"
         "<p class=\"descargas\" hidden><a id=\"csv-dias\" download=\"saldo-por-dia.csv\">"
         "Descargar CSV</a> de cada punto del gráfico · <a id=\"csv-meses\" "
         "download=\"saldo-por-mes.csv\">Descargar CSV de los meses</a></p>\n";
}

// Where a line's balance stopped fitting in a number, its walk ended: the
// page says so for each such line, so that no figure of it passes for one of
// the whole span.
void appendOverflowNotes(std::string& out, const PageModel& model, const ScenarioWalks& scenarios) {
  auto note = [&out](const ChartFigures& figures, const Scenario* scenario) {
    if (!figures.overflowDay) {
      return;
    }
    out += R"(<p class="nota aviso" role="alert">El saldo )";
    if (scenario == nullptr) {
      out += "del plan";
    } else {
      out += "del escenario «";
      appendHtmlEscaped(out, scenario->name);
      out += "»";
    }
    out += " ya no cabe en un número el ";
    out += dateText(*figures.overflowDay);
    out += ": su línea termina ese día.</p>\n";
  };
  note(model.figures(), nullptr);
  for (const ScenarioWalk& walk : scenarios.walks) {
    note(walk.series.figures(), walk.scenario);
  }
}

} // namespace

void appendPageBody(std::string& out, const PageModel& model, const ChartRun& run,
                    const ScenarioWalks& scenarios, ScenarioTables tables) {
  if (model.figures().dayCount > 0) {
    appendKeyFigures(out, model, run);
    appendOverflowNotes(out, model, scenarios);
    appendChartBox(out, model);
    appendScenarioComparison(out, model, scenarios);
    out += "<div id=\"tablas\">\n";
    appendLineTables(out, model, scenarios, tables);
    out += "</div>\n";
  } else {
    out += "<p>No se ha recorrido ningún día.</p>\n";
  }
}

} // namespace balvix
