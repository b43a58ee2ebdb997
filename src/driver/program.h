#pragma once

#include "input/entries.h"
#include "input/run_config.h"
#include "platform/platform.h"
#include "projection/run_start.h"
#include "report/run.h"

#include <functional>
#include <string>
#include <string_view>

namespace balvix {

// One start of the program: removes the error log of the previous start,
// classifies the argument, checks and reads "config.txt" and "entrada.txt",
// and either tells the user what is wrong or runs the projection the argument
// asks for. All of that holds the folder lock, so that starts in one folder
// run one after the other; the user is told, and a file opened, only after
// the lock is released. A start whose folder was not found, or cannot be
// locked, touches no file and says so. Returns the process exit code, 0 on
// every path.
int runProgram(Platform& platform);

// The bytes of a start's inputs, as read, and its argument text as the run
// took it ("int" for a start without one that projects it all).
struct InputTexts {
  std::string config;
  std::string entries;
  std::string argument;
};

// Reads a program's own further inputs against the movements `plan` read
// from `texts`, its faults to `logError`.
using CompanionReader =
    std::function<CompanionsRead(Platform& platform, const InputTexts& texts,
                                 const EntriesRead& plan, const ErrorSink& logError)>;

// What makes a program of the family what it is: how it is started and what
// it writes. The checks, the messages and the error log are the same.
struct ProgramKind {
  std::string_view usage;       // shown for an argument the program does not take
  bool noArgumentIsWholePeriod; // a start without an argument projects it all
  Projection project;           // writes the program's file for a run
  // The longest report name the configuration may give, so that the name of
  // the file the program writes from it is one the system can hold.
  std::size_t longestReportName = longestFileName;
  // Read after both files, while the log is open, and only when the
  // movements were read: its faults come last in the log and refuse the run
  // as the others do. None reads nothing more.
  CompanionReader readCompanions;
};

// One start of the program of that kind, as runProgram does for balvix.
int runProgram(Platform& platform, const ProgramKind& kind);

// One start of balvix-grafico: the checks, messages and error log of balvix,
// the same argument (and none for the whole period), and the chart page
// instead of the report, opened in the browser. Returns the exit code, 0.
int runChartProgram(Platform& platform);

} // namespace balvix
