#include "driver/outcome.h"

#include "projection/report.h"

#include <memory>

namespace balvix {

Outcome outcomeOf(const WrittenReport& report) {
  return {report.whole ? std::string_view() : reportIncompleteMessage, report.name};
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
