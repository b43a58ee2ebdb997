#include "input/scenarios.h"

#include "input/fields.h"
#include "input/lines.h"

#include <algorithm>
#include <array>
#include <utility>

namespace balvix {

namespace {

constexpr std::string_view misplacedFault =
    " [quitar] es erroneo, el - debe ser el primer caracter de la l\xEDnea ...";
constexpr std::string_view noMatchFault =
    " [quitar] es erroneo, no queda en entrada.txt un movimiento igual ...";
constexpr std::string_view notRegularFault = " [fichero] es erroneo, no es un fichero normal ...";
constexpr std::string_view unnamedFault =
    " [fichero] es erroneo, falta el nombre antes de .txt ...";
constexpr std::string_view folderFault =
    " [carpeta] es erroneo, no es una carpeta que se pueda leer ...";

// The marks a "-" that takes a movement away may come as from an editor: en
// and em dashes in Windows-1252, and minus, en and em dashes in UTF-8.
constexpr std::array<std::string_view, 6> takeAwayMarks = {
    "-", "\x96", "\x97", "\xE2\x88\x92", "\xE2\x80\x93", "\xE2\x80\x94"};

// The blanks an editor may leave before the mark: blank, tab, and the
// no-break space of Windows-1252 and of UTF-8.
constexpr std::array<std::string_view, 4> leadingBlanks = {" ", "\t", "\xA0", "\xC2\xA0"};

// True when the line's first mark after leading blanks is a "-" or a dash:
// a line meant to take a movement away, whether or not it is written so.
bool isMeantToTakeAway(std::string_view line) {
  auto startsLine = [&line](std::string_view mark) { return line.starts_with(mark); };
  const auto* blank = leadingBlanks.end();
  while ((blank = std::find_if(leadingBlanks.begin(), leadingBlanks.end(), startsLine)) !=
         leadingBlanks.end()) {
    line.remove_prefix(blank->size());
  }
  return std::any_of(takeAwayMarks.begin(), takeAwayMarks.end(), startsLine);
}

// One scenario file's bytes against the plan.
Scenario scenarioOf(const FolderFile& file, const EntriesRead& plan,
                    const std::vector<std::string_view>& planLines, const std::string& path,
                    const ErrorSink& logError, std::int32_t& errorCount) {
  Scenario scenario;
  scenario.fileName = file.name;
  scenario.name = withoutTextEnding(file.name);
  FaultLog faults(path, logError, errorCount);
  EntriesRead added;
  std::vector<bool> taken(planLines.size(), false);
  const std::vector<std::string_view> lines = movementLines(file.content);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (!isMeantToTakeAway(line)) {
      parseMovementLine(line, i + 1, faults, added);
      scenario.added.emplace_back(line);
      continue;
    }
    // Added, it would count the movement twice: a take-away line that is not
    // written so is refused.
    if (!line.starts_with('-')) {
      faults.report(i + 1, misplacedFault);
      continue;
    }
    line.remove_prefix(1);
    std::size_t match = 0;
    while (match < planLines.size() && (taken[match] || planLines[match] != line)) {
      ++match;
    }
    if (match == planLines.size()) {
      faults.report(i + 1, noMatchFault);
      continue;
    }
    taken[match] = true;
    scenario.taken.emplace_back(line);
    scenario.takenMovements.push_back(match);
  }
  if (hasTextAfterEnd(file.content)) {
    faults.report(lines.size() + 1, textAfterEndFault);
  }
  EntriesRead& movements = scenario.movements;
  for (std::size_t i = 0; i < plan.entries.size(); ++i) {
    if (i >= taken.size() || !taken[i]) {
      movements.entries.push_back(plan.entries[i]);
      movements.schedules.push_back(plan.schedules[i]);
    }
  }
  scenario.keptCount = movements.entries.size();
  for (std::size_t i = 0; i < added.entries.size(); ++i) {
    movements.entries.push_back(std::move(added.entries[i]));
    movements.schedules.push_back(added.schedules[i]);
  }
  return scenario;
}

} // namespace

ScenariosRead scenariosOf(const TextFolder& folder, const EntriesRead& plan,
                          std::string_view planText, char separator, const ErrorSink& logError) {
  ScenariosRead read;
  if (folder.state == TextFolder::State::unreadable) {
    FaultLog(scenarioFolderName, logError, read.errorCount).reportFile(folderFault);
    return read;
  }
  // The lines of the movements, one per movement; bytes that are not those
  // the movements were read from give nothing to take away.
  std::vector<std::string_view> planLines = movementLines(planText);
  if (planLines.size() != plan.entries.size()) {
    planLines.clear();
  }
  for (std::size_t i = 0; i < folder.files.size(); ++i) {
    const FolderFile& file = folder.files[i];
    if (i >= mostScenarios) {
      read.leftOut.push_back(file.name);
      continue;
    }
    const std::string path = std::string(scenarioFolderName) + separator + file.name;
    if (withoutTextEnding(file.name).empty()) {
      FaultLog(path, logError, read.errorCount).reportFile(unnamedFault);
      continue;
    }
    switch (file.state) {
    case FolderFile::State::read:
      read.scenarios.push_back(scenarioOf(file, plan, planLines, path, logError, read.errorCount));
      break;
    case FolderFile::State::notRegular:
      FaultLog(path, logError, read.errorCount).reportFile(notRegularFault);
      break;
    case FolderFile::State::unreadable:
    case FolderFile::State::unread:
      FaultLog(path, logError, read.errorCount).reportFile(unreadableFileFault);
      read.unreadable.push_back(path);
      break;
    }
  }
  return read;
}

ScenariosRead readScenarios(Platform& platform, const EntriesRead& plan, std::string_view planText,
                            ErrorLog& log) {
  return scenariosOf(platform.readTextFolder(scenarioFolderName, mostScenarios), plan, planText,
                     pathSeparator, [&log](std::string_view line) { log.appendLine(line); });
}

} // namespace balvix
