#include "report/run_file.h"

#include <utility>

namespace balvix {

RunFile::RunFile(Platform& platform, std::string_view name) {
  if (platform.removeFile(name)) {
    if (std::unique_ptr<AppendFile> opened = platform.openForAppend(name)) {
      file_.emplace(std::move(opened));
    }
  }
  opened_ = file_.has_value();
  wholeWritten_ = opened_;
}

void RunFile::close() {
  if (file_ && !file_->close()) {
    wholeWritten_ = false;
  }
  file_.reset();
}

} // namespace balvix
