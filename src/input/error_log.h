#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <string_view>

namespace balvix {

// The error log "Errores.txt" of the program directory: one line per faulty
// field of the input files, the faults of "entrada.txt" first.
inline constexpr std::string_view errorLogName = "Errores.txt";

// Appends one message as one line (ended by CR LF) to the error log, creating
// it when absent. A line that cannot be written is lost; the caller has
// already counted its fault, so the run is refused all the same.
void appendErrorLine(Platform& platform, std::string_view message);

// Removes the log of an earlier start, also when it is read-only or hidden.
// A failure is ignored.
void removeErrorLog(Platform& platform);

} // namespace balvix
