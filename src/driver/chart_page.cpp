#include "driver/chart_page.h"

#include "driver/embedded_files.h"
#include "driver/engine_module.h"
#include "page/file_rules.h"
#include "page/page_body.h"
#include "page/page_data.h"
#include "page/page_text.h"

namespace balvix {

std::string chartPage(const PageModel& model, const ChartRun& run, std::string_view moreData,
                      const ScenarioWalks& scenarios, std::string_view sources) {
  // A report named only ".txt" keeps its whole name as the page's title.
  const std::string_view stem =
      reportStem(run.reportName).empty() ? run.reportName : reportStem(run.reportName);
  std::string out;
  out += "<!DOCTYPE html>\n<html lang=\"es\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         // Everything the page needs is inside it; the browser may load nothing,
         // nor send a form or take another base address. Its own engine is
         // compiled from its own bytes (wasm-unsafe-eval).
         "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
         "script-src 'unsafe-inline' 'wasm-unsafe-eval'; style-src 'unsafe-inline'; "
         "form-action 'none'; base-uri 'none'\">\n<title>";
  appendHtmlEscaped(out, stem);
  out += " · saldo día a día</title>\n<style>\n";
  out += uplotStyle();
  out += "\n</style>\n<style>\n";
  out += pageStyle();
  out += pageControlsStyle();
  out += pageLayoutStyle();
  out += "</style>\n</head>\n<body>\n<main>\n<h1>Proyección del saldo: ";
  appendHtmlEscaped(out, stem);
  out += "</h1>\n";

  // A page without its engine cannot write a scenario's tables when they are
  // picked: it holds them all.
  appendPageBody(out, model, run, scenarios,
                 engineModule().empty() ? ScenarioTables::inPage : ScenarioTables::onDemand);

  out += "</main>\n<footer>\n<p>Hecho con balvix-grafico. El gráfico lo dibuja uPlot, con esta "
         "licencia:</p>\n<pre>";
  appendHtmlEscaped(out, uplotLicense());
  out += "</pre>\n";
  if (engineModule().empty()) {
    out += "<p class=\"nota\">Esta página se hizo sin el motor de cálculo de balvix, que no "
           "estaba en la compilación del programa: lo que muestra no se puede volver a calcular "
           "aquí.</p>\n";
  }
  out += "</footer>\n";

  appendPageData(out, model, run, moreData);
  out += sources;
  appendFileRulesElement(out);
  if (!engineModule().empty()) {
    // The engine's module, in base64: a script of no kind the browser runs.
    out += "<script type=\"application/wasm;base64\" id=\"motor\">\n";
    appendBase64(out, engineModule());
    out += "\n</script>\n";
  }
  out += "<script>\n";
  out += uplotScript();
  out += "</script>\n<script>\n";
  for (std::string_view script : pageScripts()) {
    out += script;
  }
  out += "</script>\n</body>\n</html>\n";
  return out;
}

} // namespace balvix
