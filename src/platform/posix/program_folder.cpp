#include "platform/posix/program_folder.h"

#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#if defined(__APPLE__)
#include <cstdint>
#include <mach-o/dyld.h>
#endif

namespace balvix {

namespace {

// How a folder is opened when it cannot be listed, only searched: its files
// are reached through such a handle, but some systems lock none (Linux).
#if defined(O_PATH)
constexpr int searchOnly = O_PATH;
#elif defined(O_SEARCH)
constexpr int searchOnly = O_SEARCH;
#else
constexpr int searchOnly = O_RDONLY;
#endif

// The same file system entry.
bool sameEntry(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

std::optional<std::string> executablePath() {
#if defined(__APPLE__)
  std::uint32_t size = 0;
  _NSGetExecutablePath(nullptr, &size);
  std::vector<char> buffer(size + 1);
  if (_NSGetExecutablePath(buffer.data(), &size) == 0) {
    if (char* real = realpath(buffer.data(), nullptr)) {
      std::string path = real;
      std::free(real);
      return path;
    }
  }
  return std::nullopt;
#else
  std::vector<char> buffer(PATH_MAX);
  for (;;) {
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || buffer[0] != '/') {
      return std::nullopt;
    }
    if (static_cast<std::size_t>(length) < buffer.size()) {
      return std::string(buffer.data(), static_cast<std::size_t>(length));
    }
    buffer.resize(buffer.size() * 2);
  }
#endif
}

int openProgramFolder(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = path.substr(0, slash + 1);
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0 && errno == EACCES) {
    fd = ::open(folder.c_str(), searchOnly | O_DIRECTORY | O_CLOEXEC);
  }
  if (fd < 0) {
    return -1;
  }
#if !defined(__APPLE__)
  struct stat running {};
  struct stat found {};
  if (::stat("/proc/self/exe", &running) != 0 ||
      ::fstatat(fd, path.c_str() + slash + 1, &found, AT_SYMLINK_NOFOLLOW) != 0 ||
      !sameEntry(running, found)) {
    ::close(fd);
    return -1;
  }
#endif
  return fd;
}

std::string currentFolderPath(int folder) {
  std::string path;
#if defined(__APPLE__)
  std::vector<char> buffer(PATH_MAX + 1);
  if (::fcntl(folder, F_GETPATH, buffer.data()) == 0) {
    path = buffer.data();
  }
#else
  std::vector<char> buffer(PATH_MAX);
  const std::string link = "/proc/self/fd/" + std::to_string(folder);
  const ssize_t length = ::readlink(link.c_str(), buffer.data(), buffer.size());
  if (length > 0 && static_cast<std::size_t>(length) < buffer.size()) {
    path.assign(buffer.data(), static_cast<std::size_t>(length));
  }
#endif
  struct stat there {};
  struct stat held {};
  if (path.empty() || ::stat(path.c_str(), &there) != 0 || ::fstat(folder, &held) != 0 ||
      !sameEntry(there, held)) {
    return "";
  }
  if (path.back() != '/') {
    path += '/';
  }
  return path;
}

} // namespace balvix
