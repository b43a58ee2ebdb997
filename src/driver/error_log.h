#pragma once

#include "text/output_file.h"

#include <optional>
#include <string_view>

namespace balvix {

class Platform;

// The error log "Errores.txt" of the program directory: one line per faulty
// field of the input files, the faults of "entrada.txt" first.
inline constexpr std::string_view errorLogName = "Errores.txt";

// The error log of one start. The file is opened at the first fault (a start
// without faults leaves no log) and stays open until the object goes; each
// line is written as it is appended, so it is in the file as soon as its
// append returns.
class ErrorLog {
public:
  // `oldLogRemoved`: false when the log of an earlier start could not be
  // removed; it is then kept as it is, and no line of this start goes into
  // it (they would read as one log).
  explicit ErrorLog(Platform& platform, bool oldLogRemoved = true);
  ~ErrorLog();
  ErrorLog(const ErrorLog&) = delete;
  ErrorLog& operator=(const ErrorLog&) = delete;

  // Appends one message, up to its first zero byte, as one line (ended by CR
  // LF), creating the log when absent. A line that cannot be written is lost;
  // the caller has already counted its fault, so the run is refused all the
  // same.
  void appendLine(std::string_view message);

  // Closes the log once every line is appended; a close the system reports
  // as failed counts as a lost line.
  void close();

  // True when the log on disk is this start's and holds every line appended
  // so far: false once a line is lost, or when an old log was kept.
  bool complete() const { return complete_; }

  // True when this start wrote a log (some line reached the file).
  bool written() const { return written_; }

private:
  Platform& platform_;
  std::optional<OutputFile> file_;
  bool opened_ = false;
  bool complete_ = true;
  bool written_ = false;
};

// Removes the log of an earlier start, also when it is read-only or hidden.
// False when it is still there.
bool removeErrorLog(Platform& platform);

} // namespace balvix
