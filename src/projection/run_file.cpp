#include "projection/run_file.h"

namespace balvix {

RunFile::RunFile(Platform& platform, std::string_view name) {
  if (platform.removeFile(name)) {
    file_ = platform.openForAppend(name);
  }
  opened_ = file_ != nullptr;
  wholeWritten_ = opened_;
}

void RunFile::appendLine(std::string_view line) {
  if (!file_ || !file_->appendLine(line)) {
    wholeWritten_ = false;
  }
}

void LineSink::appendEndedLines(std::string_view lines) {
  for (std::size_t end; (end = lines.find("\r\n")) != std::string_view::npos;) {
    appendLine(lines.substr(0, end));
    lines.remove_prefix(end + 2);
  }
}

void RunFile::appendEndedLines(std::string_view lines) {
  if (!file_ || !file_->append(lines)) {
    wholeWritten_ = false;
  }
}

void RunFile::close() {
  if (file_ && !file_->close()) {
    wholeWritten_ = false;
  }
  file_.reset();
}

} // namespace balvix
