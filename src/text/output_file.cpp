#include "text/output_file.h"

#include <algorithm>
#include <utility>

namespace balvix {

bool OutputFile::appendAcrossBlocks(std::string_view bytes) {
  if (!file_) {
    return false;
  }
  if (!block_) {
    // Left unfilled: its bytes are written before they are read. (The new
    // expression, since std::make_unique_for_overwrite is not in every
    // standard library yet: LLVM's libc++ 14 lacks it.)
    block_ = std::unique_ptr<Block>(new Block); // NOLINT(modernize-make-unique)
  }
  bool whole = true;
  while (!bytes.empty()) {
    if (used_ == 0 && bytes.size() >= blockSize) {
      // A whole block of the caller's bytes goes out as it is.
      whole = file_->write(bytes.substr(0, blockSize)) && whole;
      bytes.remove_prefix(blockSize);
      continue;
    }
    const std::size_t taken = std::min(blockSize - used_, bytes.size());
    std::copy_n(bytes.begin(), taken, block_->data() + used_);
    used_ += taken;
    bytes.remove_prefix(taken);
    if (used_ == blockSize) {
      whole = flush() && whole;
    }
  }
  return whole;
}

bool OutputFile::flush() {
  if (used_ == 0 || !file_) {
    return true;
  }
  // Taken before the write, so that what could not be written is never
  // written again.
  const std::size_t size = std::exchange(used_, 0);
  return file_->write({block_->data(), size});
}

bool OutputFile::close() {
  if (!file_) {
    return true;
  }
  const bool whole = flush();
  block_.reset();
  const bool closed = file_->close();
  file_.reset();
  return closed && whole;
}

} // namespace balvix
