#include "platform/posix/open_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace balvix {

namespace {

// The most room made at once for a file read.
constexpr int readAheadLimit = 1 << 28;

} // namespace

bool Descriptor::close() {
  const int fd = release();
  return fd < 0 || ::close(fd) == 0;
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool isRegularFile(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<std::string> readWhole(int fd) {
  std::string content;
  // Room for the whole file at once (up to a size no movements file
  // reaches); a file that grows meanwhile is read all the same.
  if (struct stat info{}; ::fstat(fd, &info) == 0 && info.st_size > 0) {
    content.reserve(static_cast<std::size_t>(std::min<off_t>(info.st_size, readAheadLimit)));
  }
  std::array<char, 65536> buffer;
  for (;;) {
    ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      return std::nullopt;
    }
    if (got == 0) {
      return content;
    }
    content.append(buffer.data(), static_cast<std::size_t>(got));
  }
}

std::optional<std::string> readFileAt(int folder, const std::string& name) {
  Descriptor fd(::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0 || !isRegularFile(fd.get())) {
    return std::nullopt;
  }
  return readWhole(fd.get());
}

bool PosixAppendFile::write(std::string_view bytes) {
  return fd_.get() >= 0 && writeAll(fd_.get(), bytes);
}

} // namespace balvix
