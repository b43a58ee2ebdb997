#pragma once

#include "platform/platform.h"

#include <memory>
#include <string_view>

namespace balvix {

// The error log "Errores.txt" of the program directory: one line per faulty
// field of the input files, the faults of "entrada.txt" first.
inline constexpr std::string_view errorLogName = "Errores.txt";

// The error log of one start. The file is opened at the first fault (a start
// without faults leaves no log) and stays open until the object goes; each
// line is written by one write, so it is in the file as soon as it is
// appended.
class ErrorLog {
public:
  explicit ErrorLog(Platform& platform) : platform_(platform) {}

  // Appends one message, up to its first zero byte, as one line (ended by CR
  // LF), creating the log when absent. A line that cannot be written is lost;
  // the caller has already counted its fault, so the run is refused all the
  // same.
  void appendLine(std::string_view message);

private:
  Platform& platform_;
  std::unique_ptr<OutputFile> file_;
  bool opened_ = false;
};

// Removes the log of an earlier start, also when it is read-only or hidden.
// A failure is ignored.
void removeErrorLog(Platform& platform);

} // namespace balvix
