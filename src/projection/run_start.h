#pragma once

#include "input/entries.h"
#include "input/run_config.h"
#include "projection/run_span.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace balvix {

// What a start read besides "entrada.txt" and "config.txt": how many faults,
// and the paths of the files that are there but could not be read.
struct CompanionsRead {
  std::int32_t errorCount = 0;
  std::vector<std::string> unreadable;
};

// What one start takes from its caller: the argument, and how its inputs are
// read. Each reader sends its faults to the sink it is given.
struct StartSteps {
  std::string_view argument; // the argument text as the run takes it (argumentTextOf)
  std::string_view usage;    // the refusal for an argument of no accepted form
  // False when an input file is missing: the start is refused with "No
  // existen ficheros de programa ..." before anything is read. None: the
  // files are there.
  std::function<bool()> inputsThere;
  std::function<EntriesRead(const ErrorSink& log)> readMovements; // "entrada.txt"
  std::function<ConfigRead(const ErrorSink& log)> readConfig;     // "config.txt"
  // The further inputs, read against the movements `plan`, and only when
  // those could be read. None reads nothing more.
  std::function<CompanionsRead(const EntriesRead& plan, const ErrorSink& log)> readCompanions;
};

// A start read: its inputs as far as they were read, and either the refusal
// to tell or the span to walk.
struct RunStart {
  // Empty when the run goes ahead; otherwise all there is to tell.
  std::string_view refusal;
  // The refusal is "Errores en ficheros de programa ...": the inputs do not
  // allow a run (allowsRun), and their faults went to the log.
  bool faulty = false;
  EntriesRead movements;
  ConfigRead config;
  CompanionsRead companions;
  RunSpan span; // what the run walks, when not refused

  // The inputs of a run that goes ahead; they live as long as the start.
  RunInputs inputs() const { return {config.records.front(), movements}; }
};

// One start, in order: the argument (the usage for one of no accepted form),
// the inputs there, then the movements, the configuration and the further
// inputs read with their faults to `log` in that order, the refusal of inputs
// that do not allow a run, and the span the argument asks for (a date not
// strictly inside the period is refused with "La fecha NO esta dentro del
// intervalo ..."). The refusal views the usage or a message of the program.
RunStart startRun(const StartSteps& steps, const ErrorSink& log);

} // namespace balvix
