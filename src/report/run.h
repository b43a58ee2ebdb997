#pragma once

#include "calendar/calendar.h"
#include "input/entries.h"
#include "input/run_config.h"
#include "platform/platform.h"
#include "projection/money.h"
#include "projection/run_span.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace balvix {

class RunFile;

// The file a run wrote for the user, closed: its name in the program
// directory (empty until the file is opened), whether every line of it was
// written (false also when an earlier report could not be replaced), and
// whether the file of that name is this run's at all (false when an earlier
// one was kept or nothing could be created).
struct WrittenFile {
  std::string name;
  bool whole = true;
  bool ours = true;
  // Memory ran out while the file was written: the run ended there, the file
  // incomplete. Set by the caller that caught it (see writeLines).
  bool memoryRanOut = false;
  // The walk ended on the day a balance no longer fitted in a number: the
  // file ends there, short of what the run asked for.
  bool balanceOverflowed = false;
};

// Runs `write`, which appends a run's lines to `file` (already opened as
// `name`), closes the file and tells of it in `written`. The name, and
// whether the file is this run's, are in `written` before `write` runs, so
// that when memory runs out in `write` (std::bad_alloc, which nothing below
// the driver catches) the caller still knows the file; it is closed as it is
// when it goes.
void writeLines(RunFile& file, std::string_view name, WrittenFile& written,
                const std::function<void()>& write);

// One way of writing a projection: walks the span, writes its one file of
// the program directory and tells of it in `written` (through writeLines).
// Nothing is shown or opened: the caller tells the user once it has released
// the folder.
using Projection = std::function<void(Platform& platform, const RunInputs& inputs,
                                      const RunSpan& span, WrittenFile& written)>;

// The text report: replaces the report named in the configuration with this
// run's lines.
void writeReport(Platform& platform, const RunInputs& inputs, const RunSpan& span,
                 WrittenFile& written);

} // namespace balvix
