#include "driver/program.h"

#include "driver/error_log.h"
#include "driver/input_files.h"
#include "driver/outcome.h"
#include "input/entries.h"
#include "input/messages.h"
#include "input/run_config.h"
#include "projection/argument.h"
#include "projection/run_start.h"
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
  // The bytes are kept only for a program that reads more.
  const bool keep = static_cast<bool>(kind.readCompanions);
  StartSteps steps;
  steps.argument = texts.argument;
  steps.usage = kind.usage;
  steps.inputsThere = [&platform] {
    return platform.exists(configFileName) && platform.exists(entriesFileName);
  };
  steps.readMovements = [&](const ErrorSink& log) {
    return readEntriesFile(platform, log, keep ? &texts.entries : nullptr);
  };
  steps.readConfig = [&](const ErrorSink& log) {
    return readConfigFile(platform, log, kind.longestReportName, keep ? &texts.config : nullptr);
  };
  if (keep) {
    steps.readCompanions = [&](const EntriesRead& plan, const ErrorSink& log) {
      return kind.readCompanions(platform, texts, plan, log);
    };
  }

  RunStart start;
  {
    // The log stays open while the readers run, their faults in the order
    // they are read.
    ErrorLog log(platform, oldLogRemoved);
    start = startRun(steps, [&log](std::string_view line) { log.appendLine(line); });
    log.close();
    if (start.faulty) {
      // Only a log of this start's faults is opened, and only a whole one:
      // an earlier start's log, or one with lines missing, would point at
      // the wrong faults.
      if (!log.complete()) {
        return {logNotWrittenMessageFor(start.movements, start.config, start.companions), {}};
      }
      return {std::string(start.refusal),
              log.written() ? std::string(errorLogName) : std::string()};
    }
  }
  if (!start.refusal.empty()) {
    return {std::string(start.refusal), {}};
  }
  return runProjection(kind.project, platform, start.inputs(), start.span);
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
