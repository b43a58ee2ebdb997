#include "driver/error_log.h"

#include "platform/platform.h"

#include <memory>
#include <utility>

namespace balvix {

ErrorLog::ErrorLog(Platform& platform, bool oldLogRemoved)
    : platform_(platform), opened_(!oldLogRemoved), complete_(oldLogRemoved) {}

ErrorLog::~ErrorLog() = default;

void ErrorLog::appendLine(std::string_view message) {
  // Opened once: when the log cannot be opened, every line of this start is
  // lost rather than tried again line by line.
  if (!opened_) {
    opened_ = true;
    if (std::unique_ptr<AppendFile> opened = platform_.openForAppend(errorLogName)) {
      file_.emplace(std::move(opened));
    }
  }
  // The message ends at its first zero byte, if it holds one.
  message = message.substr(0, message.find('\0'));
  // A line that cannot be written is lost; the fault is counted all the same.
  if (!file_) {
    complete_ = false;
    return;
  }
  // The log is small: each line goes out at once rather than in a block.
  const bool appended = file_->appendLine(message);
  if (file_->flush() && appended) {
    written_ = true;
  } else {
    complete_ = false;
  }
}

void ErrorLog::close() {
  if (file_ && !file_->close()) {
    complete_ = false;
  }
  file_.reset();
}

bool removeErrorLog(Platform& platform) {
  return platform.removeFile(errorLogName);
}

} // namespace balvix
