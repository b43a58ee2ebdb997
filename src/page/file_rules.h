#pragma once

#include <string>

namespace balvix {

// Appends the element of what the page's scripts know of the program's files,
// each held once in the C++:
// <script type="application/json" id="ficheros">{"carpeta": the folder of the
// scenarios (scenarioFolderName), "fin": the ending of their files
// (textFileEnding), "escenarios": the most scenarios walked (mostScenarios),
// "windows1252": the characters of the bytes 0x80 to 0x9F, by their code
// (characterOf1252)}</script> and a line feed.
void appendFileRulesElement(std::string& out);

} // namespace balvix
