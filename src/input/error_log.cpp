#include "input/error_log.h"

namespace balvix {

void appendErrorLine(Platform& platform, std::string_view message) {
  // The message ends at its first zero byte, if it holds one.
  message = message.substr(0, message.find('\0'));
  // A line that cannot be written is lost; the fault is counted all the same.
  (void)platform.appendLine(errorLogName, message);
}

void removeErrorLog(Platform& platform) {
  (void)platform.removeFile(errorLogName);
}

} // namespace balvix
