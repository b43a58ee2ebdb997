#include "driver/input_files.h"

#include "input/fields.h"

#include <optional>
#include <string>

namespace balvix {

namespace {

// The bytes of the file `name` given to `parse`, or its one fault when it
// cannot be read.
template <typename Read, typename Parse>
Read readInputFile(Platform& platform, std::string_view name, const ErrorSink& logError,
                   const Parse& parse) {
  const std::optional<std::string> bytes = platform.readFile(name);
  if (!bytes) {
    Read none;
    none.unreadable = true;
    FaultLog(name, logError, none.errorCount).reportFile(unreadableFileFault);
    return none;
  }
  return parse(*bytes);
}

} // namespace

EntriesRead readEntriesFile(Platform& platform, const ErrorSink& logError) {
  return readInputFile<EntriesRead>(
      platform, entriesFileName, logError,
      [&](std::string_view bytes) { return parseEntries(bytes, logError); });
}

ConfigRead readConfigFile(Platform& platform, const ErrorSink& logError,
                          std::size_t longestReportName) {
  return readInputFile<ConfigRead>(platform, configFileName, logError, [&](std::string_view bytes) {
    return parseRunConfig(bytes, logError, longestReportName);
  });
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
