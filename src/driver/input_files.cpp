#include "driver/input_files.h"

#include "input/fields.h"

#include <optional>
#include <string>
#include <utility>

namespace balvix {

namespace {

// The bytes of the file `name` given to `parse`, or its one fault when it
// cannot be read.
template <typename Read, typename Parse>
Read readInputFile(Platform& platform, std::string_view name, const ErrorSink& logError,
                   std::string* kept, const Parse& parse) {
  std::optional<std::string> bytes = platform.readFile(name);
  if (!bytes) {
    Read none;
    none.unreadable = true;
    FaultLog(name, logError, none.errorCount).reportFile(unreadableFileFault);
    return none;
  }
  Read read = parse(*bytes);
  if (kept != nullptr) {
    *kept = std::move(*bytes);
  }
  return read;
}

} // namespace

EntriesRead readEntriesFile(Platform& platform, const ErrorSink& logError, std::string* bytes) {
  return readInputFile<EntriesRead>(
      platform, entriesFileName, logError, bytes,
      [&](std::string_view text) { return parseEntries(text, logError); });
}

ConfigRead readConfigFile(Platform& platform, const ErrorSink& logError,
                          std::size_t longestReportName, std::string* bytes) {
  return readInputFile<ConfigRead>(
      platform, configFileName, logError, bytes,
      [&](std::string_view text) { return parseRunConfig(text, logError, longestReportName); });
}

ScenariosRead readScenarioFolder(Platform& platform, const EntriesRead& plan,
                                 const ErrorSink& logError) {
  return readScenarios(
      platform.listFolder(scenarioFolderName),
      [&platform](const FolderEntry& entry) {
        return platform.readFolderFile(scenarioFolderName, entry);
      },
      plan, pathSeparator, logError);
}

} // namespace balvix
