#include "driver/program.h"

#include "driver/asked_run.h"
#include "driver/error_log.h"
#include "driver/input_files.h"
#include "driver/outcome.h"
#include "input/entries.h"
#include "input/messages.h"
#include "input/run_config.h"
#include "projection/argument.h"
#include "report/run.h"

#include <string>

namespace balvix {

namespace {

// The message for faults that the log could not all hold, naming the input
// files that could not be read: the log would have been the only place to
// learn which.
std::string logNotWrittenMessageFor(const EntriesRead& movements, const ConfigRead& config,
                                    const CompanionsRead& companions) {
  std::string message(logNotWrittenMessage);
  const auto name = [&message](std::string_view file) {
    message.append(unreadableFileLine).append(file).append(" ...");
  };
  if (movements.unreadable) {
    name(entriesFileName);
  }
  if (config.unreadable) {
    name(configFileName);
  }
  for (const std::string& file : companions.unreadable) {
    name(file);
  }
  return message;
}

// Everything a start does to the files of the program directory, in order;
// what it has to tell the user is returned, not shown.
Outcome startInFolder(Platform& platform, const ProgramKind& kind) {
  const bool oldLogRemoved = removeErrorLog(platform);

  InputTexts texts;
  texts.argument = argumentTextOf(platform.commandTail(), kind.noArgumentIsWholePeriod);
  const Argument argument = classifyArgument(texts.argument);
  if (argument.mode == RunMode::usage) {
    return {std::string(kind.usage), {}};
  }

  if (!platform.exists(configFileName) || !platform.exists(entriesFileName)) {
    return {std::string(missingFilesMessage), {}};
  }

  EntriesRead movements;
  ConfigRead config;
  CompanionsRead companions;
  {
    // The log stays open while the readers run; the movements first, so
    // that their faults come first, and the program's own inputs last.
    ErrorLog log(platform, oldLogRemoved);
    const ErrorSink logError = [&log](std::string_view line) { log.appendLine(line); };
    // The bytes are kept only for a program that reads more.
    const bool keep = static_cast<bool>(kind.readCompanions);
    movements = readEntriesFile(platform, logError, keep ? &texts.entries : nullptr);
    config =
        readConfigFile(platform, logError, kind.longestReportName, keep ? &texts.config : nullptr);
    // They are read against the plan: without it, none of their faults
    // would be true.
    if (kind.readCompanions && !movements.unreadable) {
      companions = kind.readCompanions(platform, texts, movements, logError);
    }
    log.close();
    if (!allowsRun(movements, config, companions.errorCount)) {
      // Only a log of this start's faults is opened, and only a whole one:
      // an earlier start's log, or one with lines missing, would point at
      // the wrong faults.
      if (!log.complete()) {
        return {logNotWrittenMessageFor(movements, config, companions), {}};
      }
      return {std::string(inputErrorsMessage),
              log.written() ? std::string(errorLogName) : std::string()};
    }
  }

  const RunInputs inputs{config.records.front(), movements};
  return runAskedSpan(platform, inputs, argument, kind.project);
}

} // namespace

int runProgram(Platform& platform) {
  return runProgram(platform, {usageText, false, writeReport, longestFileName, {}});
}

int runProgram(Platform& platform, const ProgramKind& kind) {
  runInFolder(platform, [&platform, &kind] { return startInFolder(platform, kind); });
  return 0;
}

} // namespace balvix
