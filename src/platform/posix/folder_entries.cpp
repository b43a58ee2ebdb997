#include "platform/posix/folder_entries.h"

#include "text/cp1252.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace balvix {

FolderListing listOpenFolder(int opened) {
  FolderListing found;
  DIR* listing = ::fdopendir(opened);
  if (listing == nullptr) {
    ::close(opened);
    found.state = FolderListing::State::unreadable;
    return found;
  }
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(listing);
    if (entry == nullptr) {
      break;
    }
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") {
      continue;
    }
    struct stat info {};
    const bool regular =
        ::fstatat(::dirfd(listing), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(info.st_mode);
    found.entries.push_back({cp1252FromUtf8(name), std::string(name), regular});
  }
  found.state = errno == 0 ? FolderListing::State::listed : FolderListing::State::unreadable;
  ::closedir(listing);
  return found;
}

} // namespace balvix
