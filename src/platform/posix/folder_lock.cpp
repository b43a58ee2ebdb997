#include "platform/posix/folder_lock.h"

#include <cerrno>
#include <sys/file.h>

namespace balvix {

namespace {

// Holds the lock taken on the program folder's descriptor until it goes.
class PosixFolderLock : public FolderLock {
public:
  explicit PosixFolderLock(int folder) : folder_(folder) {}
  ~PosixFolderLock() override { ::flock(folder_, LOCK_UN); }
  PosixFolderLock(const PosixFolderLock&) = delete;
  PosixFolderLock& operator=(const PosixFolderLock&) = delete;

private:
  int folder_;
};

} // namespace

std::unique_ptr<FolderLock> lockOpenFolder(int folder) {
  while (::flock(folder, LOCK_EX) != 0) {
    if (errno != EINTR) {
      return nullptr;
    }
  }
  return std::make_unique<PosixFolderLock>(folder);
}

} // namespace balvix
