#include "driver/outcome.h"

#include "input/messages.h"

#include <memory>
#include <new>

namespace balvix {

namespace {

// Running out of memory while the report was written, and what follows: the
// report is incomplete.
constexpr std::string_view outOfMemoryInReportMessage =
    "No hay memoria suficiente para terminar ...\r\n"
    "No se pudo escribir el informe completo ...";
static_assert(outOfMemoryInReportMessage.starts_with(outOfMemoryMessage) &&
              outOfMemoryInReportMessage.ends_with(incompleteFileMessage));

} // namespace

Outcome outcomeOf(const WrittenFile& report) {
  std::string message;
  if (report.balanceOverflowed) {
    message = balanceOverflowMessage;
  }
  if (report.memoryRanOut || !report.whole) {
    message += message.empty() ? "" : "\r\n";
    message += report.memoryRanOut ? outOfMemoryInReportMessage : incompleteFileMessage;
  }
  // A file this run did not write is never opened: it would pass for this
  // run's.
  return {message, report.ours ? report.name : std::string()};
}

Outcome runProjection(const Projection& project, Platform& platform, const RunInputs& inputs,
                      const RunSpan& span) {
  WrittenFile written;
  try {
    project(platform, inputs, span, written);
  } catch (const std::bad_alloc&) {
    if (written.name.empty()) {
      throw;
    }
    written.memoryRanOut = true;
  }
  return outcomeOf(written);
}

void runInFolder(Platform& platform, const std::function<Outcome()>& work) {
  Outcome outcome{std::string(folderNotFoundMessage), {}};
  if (platform.folderFound()) {
    std::unique_ptr<FolderLock> lock = platform.lockFolder();
    if (!lock) {
      outcome = {std::string(folderNotReservedMessage), {}};
    } else {
      // Running out of memory ends the work where it is: the files it had
      // open are closed as they are (a report being written says so itself,
      // through runProjection), the input files were only read, and the lock
      // is released.
      try {
        outcome = work();
      } catch (const std::bad_alloc&) {
        outcome = {std::string(outOfMemoryMessage), {}};
      }
    }
  }
  if (!outcome.message.empty()) {
    platform.showMessage(outcome.message);
  }
  if (!outcome.document.empty()) {
    platform.openDocument(outcome.document);
  }
}

} // namespace balvix
