#pragma once

#include "input/entries.h"
#include "input/error_log.h"
#include "platform/platform.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace balvix {

// The folder of the program directory that holds the scenarios, one file
// each: "escenarios/coche.txt" is the scenario "coche".
inline constexpr std::string_view scenarioFolderName = "escenarios";

// The scenarios used, in name order; the files beyond them are only named.
inline constexpr std::size_t mostScenarios = 6;

// One scenario: the movements of "entrada.txt" with some taken away and
// others added. Its file is read as the movements file is (line ends,
// comments, empty lines, a byte-order mark); a line that starts with "-"
// takes away the first movement of "entrada.txt" whose line is, byte for
// byte, the rest of it and that no earlier line took; a line whose first mark
// after blanks, tabs and no-break spaces is a "-" or a dash (Windows-1252 or
// UTF-8) but that does not start with "-" is a fault, never an added
// movement; every other line adds the movement it writes.
struct Scenario {
  std::string name;               // the file's name without its ".txt": "coche"
  std::string fileName;           // "coche.txt", Windows-1252
  std::vector<std::string> added; // the lines that add a movement, as written
  std::vector<std::string> taken; // the lines that take one away, without the "-"
  // The movements the scenario walks: those of "entrada.txt" it keeps, in
  // file order, then those it adds, in the order of its lines.
  EntriesRead movements;
  std::size_t keptCount = 0; // the first keptCount of movements are entrada.txt's
  // For each taken line, the index in entrada.txt's movements of the one it
  // takes away.
  std::vector<std::size_t> takenMovements;
};

// The scenarios of the folder: the first mostScenarios files, and the names
// of those beyond.
struct ScenariosRead {
  std::vector<Scenario> scenarios;
  std::vector<std::string> leftOut;
  std::int32_t errorCount = 0; // faults found, one log line each
  // The files that are there but could not be read, by their paths in the
  // program directory ("escenarios/coche.txt").
  std::vector<std::string> unreadable;
};

// The scenarios of a folder as the platform read it, against the movements
// `plan` parsed from `planText` (the bytes of "entrada.txt"; with other bytes
// no movement can be taken away).
// Each fault is one line to `logError`, in file order and, within a file, in
// line order, prefixed by the file's path in the program directory written
// with `separator` ("escenarios/coche.txt Línea 3 [dinero] ..."), lines
// numbered as in "entrada.txt": every line that is neither empty nor a
// comment, taking-away lines included. Faults are the faulty fields of an
// added line, a taking-away line that finds no movement to take or whose "-"
// is not its first character, a file named ".txt" alone, an entry that is
// not a regular file, a file that cannot be read, and a folder that is not
// one that can be listed. An absent folder has no scenarios.
ScenariosRead scenariosOf(const TextFolder& folder, const EntriesRead& plan,
                          std::string_view planText, char separator, const ErrorSink& logError);

// Reads the folder "escenarios" of the program directory and its first
// mostScenarios files, and makes their scenarios as scenariosOf does,
// appending the faults to `log` with the system's separator.
ScenariosRead readScenarios(Platform& platform, const EntriesRead& plan, std::string_view planText,
                            ErrorLog& log);

} // namespace balvix
