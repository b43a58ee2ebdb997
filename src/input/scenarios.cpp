#include "input/scenarios.h"

#include "input/fields.h"
#include "input/lines.h"
#include "text/cp1252.h"

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

// Marks that show nothing, in UTF-8, which a file may hold at a line's start:
// the byte-order mark (two UTF-8 files joined put one before the second's
// first line), the zero-width space, the zero-width joiners and the word
// joiner.
constexpr std::array<std::string_view, 5> invisibleMarks = {
    "\xEF\xBB\xBF", "\xE2\x80\x8B", "\xE2\x80\x8C", "\xE2\x80\x8D", "\xE2\x81\xA0"};

// The line less the leading run of the marks of `skipped`.
template <std::size_t N>
std::string_view withoutLeading(std::string_view line,
                                const std::array<std::string_view, N>& skipped) {
  auto startsLine = [&line](std::string_view mark) { return line.starts_with(mark); };
  const std::string_view* mark = skipped.end();
  while ((mark = std::find_if(skipped.begin(), skipped.end(), startsLine)) != skipped.end()) {
    line.remove_prefix(mark->size());
  }
  return line;
}

// True when the line's first mark after leading blanks and invisible marks
// is a "-" or a dash: a line meant to take a movement away, whether or not it
// is written so.
bool isMeantToTakeAway(std::string_view line) {
  std::string_view rest = line;
  for (std::size_t before = line.size() + 1; rest.size() < before;) {
    before = rest.size();
    rest = withoutLeading(withoutLeading(rest, leadingBlanks), invisibleMarks);
  }
  return std::any_of(takeAwayMarks.begin(), takeAwayMarks.end(),
                     [&rest](std::string_view mark) { return rest.starts_with(mark); });
}

// One scenario file's bytes against the plan.
Scenario scenarioOf(std::string_view fileName, std::string_view content, const EntriesRead& plan,
                    FaultLog& faults) {
  Scenario scenario;
  scenario.fileName = fileName;
  scenario.name = withoutTextEnding(fileName);
  EntriesRead added;
  std::vector<bool> taken(plan.entries.size(), false);
  const std::vector<std::string_view> lines = movementLines(content);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (!isMeantToTakeAway(line)) {
      parseMovementLine(line, i + 1, faults, added);
      continue;
    }
    // Added, it would count the movement twice: a take-away line that is not
    // written so is refused. Invisible marks right before the "-" are skipped.
    line = withoutLeading(line, invisibleMarks);
    if (!line.starts_with('-')) {
      faults.report(i + 1, misplacedFault);
      continue;
    }
    line.remove_prefix(1);
    std::size_t match = 0;
    while (match < plan.entries.size() && (taken[match] || plan.entries[match].line != line)) {
      ++match;
    }
    if (match == plan.entries.size()) {
      faults.report(i + 1, noMatchFault);
      continue;
    }
    taken[match] = true;
    scenario.taken.push_back(match);
  }
  if (hasTextAfterEnd(content)) {
    faults.report(lines.size() + 1, textAfterEndFault);
  }
  scenario.added = std::move(added.entries);
  scenario.text = content;
  return scenario;
}

// The scenario files of a listing, in the byte order of their names.
std::vector<const FolderEntry*> scenarioFilesOf(const FolderListing& listing) {
  std::vector<const FolderEntry*> files;
  for (const FolderEntry& entry : listing.entries) {
    if (isOfferedTextFile(entry.name)) {
      files.push_back(&entry);
    }
  }
  std::stable_sort(files.begin(), files.end(),
                   [](const FolderEntry* a, const FolderEntry* b) { return a->name < b->name; });
  return files;
}

} // namespace

MovementList movementListOf(const Scenario& scenario, const EntriesRead& plan) {
  if (scenario.own) {
    return movementListOf(*scenario.own);
  }
  std::vector<bool> taken(plan.entries.size(), false);
  for (std::size_t index : scenario.taken) {
    taken[index] = true;
  }
  MovementList list;
  list.reserve(plan.entries.size() - scenario.taken.size() + scenario.added.size());
  for (std::size_t i = 0; i < plan.entries.size(); ++i) {
    if (!taken[i]) {
      list.push_back(&plan.entries[i]);
    }
  }
  for (const Entry& entry : scenario.added) {
    list.push_back(&entry);
  }
  return list;
}

ScenariosRead readScenarios(const FolderListing& listing, const FolderFileReader& read,
                            const EntriesRead& plan, char separator, const ErrorSink& logError) {
  ScenariosRead found;
  if (listing.state == FolderListing::State::unreadable) {
    FaultLog(scenarioFolderName, logError, found.errorCount).reportFile(folderFault);
    return found;
  }
  const std::vector<const FolderEntry*> files = scenarioFilesOf(listing);
  for (std::size_t i = 0; i < files.size(); ++i) {
    const FolderEntry& file = *files[i];
    if (i >= mostScenarios) {
      found.leftOut.push_back(file.name);
      continue;
    }
    const std::string path = std::string(scenarioFolderName) + separator + file.name;
    const std::int32_t before = found.errorCount;
    FaultLog faults(path, logError, found.errorCount);
    if (withoutTextEnding(file.name).empty()) {
      faults.reportFile(unnamedFault);
    } else if (!file.regular) {
      faults.reportFile(notRegularFault);
    } else if (std::optional<std::string> content = read(file)) {
      found.scenarios.push_back(scenarioOf(file.name, *content, plan, faults));
    } else {
      faults.reportFile(unreadableFileFault);
      found.unreadable.push_back(path);
    }
    found.faultsByFile.push_back({file.name, found.errorCount - before});
  }
  return found;
}

} // namespace balvix
