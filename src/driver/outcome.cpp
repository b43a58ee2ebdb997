#include "driver/outcome.h"

#include "projection/report.h"

#include <memory>

namespace balvix {

Outcome outcomeOf(const WrittenReport& report) {
  // A file this run did not write is never opened: it would pass for this
  // run's.
  return {report.whole ? std::string_view() : reportIncompleteMessage,
          report.ours ? report.name : std::string()};
}

void runInFolder(Platform& platform, const std::function<Outcome()>& work) {
  Outcome outcome;
  {
    std::unique_ptr<FolderLock> lock = platform.lockFolder();
    outcome = work();
  }
  if (!outcome.message.empty()) {
    platform.showMessage(outcome.message);
  }
  if (!outcome.document.empty()) {
    platform.openDocument(outcome.document);
  }
}

} // namespace balvix
