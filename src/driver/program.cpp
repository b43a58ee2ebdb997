#include "driver/program.h"

#include "driver/argument.h"
#include "driver/date_mode.h"
#include "driver/messages.h"
#include "input/entries.h"
#include "input/error_log.h"
#include "input/run_config.h"
#include "projection/run.h"

namespace balvix {

namespace {

bool allowsRun(const EntriesRead& movements, const ConfigRead& config) {
  return !movements.entries.empty() && config.records.size() == 1 &&
         isBefore(config.records.front().start, config.records.front().end) &&
         movements.errorCount == 0 && config.errorCount == 0;
}

} // namespace

int runProgram(Platform& platform) {
  removeErrorLog(platform);

  std::string argumentText = argumentTextOf(platform.commandTail());
  Argument argument = classifyArgument(argumentText);
  if (argument.mode == RunMode::usage) {
    platform.showMessage(usageText);
    return 0;
  }

  if (!platform.exists(configFileName) || !platform.exists(entriesFileName)) {
    platform.showMessage(missingFilesMessage);
    return 0;
  }

  // The movements first, so that their faults come first in the log.
  EntriesRead movements = readEntries(platform);
  ConfigRead config = readRunConfig(platform);
  if (!allowsRun(movements, config)) {
    platform.showMessage(inputErrorsMessage);
    platform.openDocument(errorLogName);
    return 0;
  }

  RunInputs inputs{config.records.front(), movements};
  if (argument.mode == RunMode::amount) {
    runToAmount(platform, inputs, argument.target);
  } else {
    runDateMode(platform, inputs, argumentText);
  }
  return 0;
}

} // namespace balvix
