#include "projection/run_file.h"

namespace balvix {

RunFile::RunFile(Platform& platform, std::string_view name) {
  if (platform.removeFile(name)) {
    file_ = platform.openForAppend(name);
  }
  opened_ = file_ != nullptr;
  wholeWritten_ = opened_;
}

void RunFile::close() {
  if (file_ && !file_->close()) {
    wholeWritten_ = false;
  }
  file_.reset();
}

} // namespace balvix
