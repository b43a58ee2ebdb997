#pragma once

#include "input/entries.h"
#include "input/run_config.h"
#include "input/scenarios.h"
#include "platform/platform.h"

#include <cstddef>
#include <string>

namespace balvix {

// The input files of the program directory, each read once and handed to its
// reader as bytes; every fault goes to `logError`. A file that is there but
// cannot be read, or that is not a regular file, has no lines and is
// unreadable: one fault that names the file. With `bytes`, the bytes read are
// kept there.

// "entrada.txt".
EntriesRead readEntriesFile(Platform& platform, const ErrorSink& logError,
                            std::string* bytes = nullptr);

// "config.txt", with report names up to `longestReportName` characters.
ConfigRead readConfigFile(Platform& platform, const ErrorSink& logError,
                          std::size_t longestReportName, std::string* bytes = nullptr);

// The scenario files of the folder "escenarios", against the movements `plan`
// of "entrada.txt", their faults named with the system's separator.
ScenariosRead readScenarioFolder(Platform& platform, const EntriesRead& plan,
                                 const ErrorSink& logError);

} // namespace balvix
