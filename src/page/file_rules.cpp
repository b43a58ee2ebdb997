#include "page/file_rules.h"

#include "input/scenarios.h"
#include "page/json_writer.h"
#include "page/page_text.h"
#include "text/cp1252.h"

namespace balvix {

void appendFileRulesElement(std::string& out) {
  out += R"(<script type="application/json" id="ficheros">)";
  JsonItems json(out, JsonBrackets::object);
  appendJsonString(json.member("carpeta"), scenarioFolderName);
  appendJsonString(json.member("fin"), textFileEnding);
  json.member("escenarios") += std::to_string(mostScenarios);
  JsonItems high(json.member("windows1252"), JsonBrackets::list);
  for (unsigned byte = 0x80; byte <= 0x9F; ++byte) {
    high.item() += std::to_string(characterOf1252(static_cast<unsigned char>(byte)));
  }
  high.close();
  json.close();
  out += "</script>\n";
}

} // namespace balvix
