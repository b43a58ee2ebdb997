#pragma once

#include "input/entries.h"
#include "platform/folder_listing.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
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
  std::string name;     // the file's name without its ".txt": "coche"
  std::string fileName; // "coche.txt", Windows-1252
  std::string text;     // the file's bytes, as read
  // The movements of "entrada.txt" it takes away, by their index there, in
  // the order of its lines.
  std::vector<std::size_t> taken;
  // The movements it adds, in the order of its lines (each with its line).
  std::vector<Entry> added;
  // A line the page makes of the plan rather than a file's: the movements it
  // walks in place of the plan's (theirs with their amounts scaled), by the
  // plan's indexes, and the day its walk starts on with the balance at its
  // start, when not where the other lines start.
  std::optional<std::vector<Entry>> own;
  std::optional<DateParts> startDay;
  double startBalance = 0;
};

// The movements a scenario walks: those of the plan (the records read from
// "entrada.txt") it keeps, in file order, then those it adds; or its own
// when it has them. The plan and the scenario must outlive the list.
MovementList movementListOf(const Scenario& scenario, const EntriesRead& plan);

// The scenarios of the folder: the first mostScenarios files, and the names
// of those beyond.
struct ScenariosRead {
  std::vector<Scenario> scenarios;
  std::vector<std::string> leftOut;
  std::int32_t errorCount = 0; // faults found, one log line each
  // How many of those lines each file used has, in order, by its name.
  struct FileFaults {
    std::string name;
    std::int32_t count = 0;
  };
  std::vector<FileFaults> faultsByFile;
  // The files that are there but could not be read, by their paths in the
  // program directory ("escenarios/coche.txt").
  std::vector<std::string> unreadable;
};

// Reads one entry of the folder, as the platform finds it again: its bytes,
// or nothing when it cannot be read or is no longer a regular file.
using FolderFileReader = std::function<std::optional<std::string>(const FolderEntry& entry)>;

// The scenarios of the folder "escenarios" as `listing` found it, against the
// movements `plan` read from "entrada.txt". The scenario files are the
// entries whose names end in ".txt" (in any letter case) and are not hidden
// (isOfferedTextFile), in the byte order of their names; only the first
// mostScenarios of them are read, through `read`, and only when they are
// regular files. Each fault is one line to `logError`, in file order and,
// within a file, in line order, prefixed by the file's path in the program
// directory written with `separator` ("escenarios/coche.txt Línea 3
// [dinero] ..."), lines numbered as in "entrada.txt": every line that is
// neither empty nor a comment, taking-away lines included. Faults are the
// faulty fields of an added line, a taking-away line that finds no movement
// to take or whose "-" is not its first character, a file named ".txt"
// alone, an entry that is not a regular file, a file that cannot be read,
// and a folder that is not one that can be listed. An absent folder has no
// scenarios.
ScenariosRead readScenarios(const FolderListing& listing, const FolderFileReader& read,
                            const EntriesRead& plan, char separator, const ErrorSink& logError);

} // namespace balvix
