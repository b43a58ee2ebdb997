#include "platform/posix/posix_platform.h"

#include "text/cp1252.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#if defined(__APPLE__)
#include <mach-o/dyld.h>
#endif

// unistd.h declares it only on some systems (glibc with _GNU_SOURCE).
extern char** environ; // NOLINT(readability-redundant-declaration)

namespace balvix {

namespace {

std::string executablePath(const char* argv0) {
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
#else
  std::vector<char> buffer(PATH_MAX);
  for (;;) {
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) {
      break;
    }
    if (static_cast<std::size_t>(length) < buffer.size()) {
      return std::string(buffer.data(), static_cast<std::size_t>(length));
    }
    buffer.resize(buffer.size() * 2);
  }
#endif
  if (argv0 != nullptr) {
    if (char* real = realpath(argv0, nullptr)) {
      std::string path = real;
      std::free(real);
      return path;
    }
  }
  return "./";
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

// Closes a file descriptor when it goes out of scope.
class Descriptor {
public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() { close(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }
  // False when the system reports the close as failed. The descriptor is
  // released whatever close() answers: it is never closed twice.
  bool close() {
    const int fd = release();
    return fd < 0 || ::close(fd) == 0;
  }

private:
  int fd_;
};

// How long the opener of a document is waited for: this many polls, this
// many microseconds apart (ten seconds in all).
constexpr int openerPatience = 200;
constexpr useconds_t openerPoll = 50000;

// The most room made at once for a file read.
constexpr int readAheadLimit = 1 << 28;

// True when the open file is a regular file; with `oneName`, also only when
// no other name (hard link) leads to it.
bool isRegularFile(int fd, bool oneName) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && (!oneName || info.st_nlink == 1);
}

class PosixOutputFile : public OutputFile {
public:
  explicit PosixOutputFile(int fd) : fd_(fd) {}
  ~PosixOutputFile() override { close(); }
  PosixOutputFile(const PosixOutputFile&) = delete;
  PosixOutputFile& operator=(const PosixOutputFile&) = delete;

protected:
  bool write(std::string_view bytes) override { return writeAll(fd_.get(), bytes); }
  bool closeFile() override { return fd_.close(); }

private:
  Descriptor fd_;
};

// Closing the descriptor releases the lock.
class PosixFolderLock : public FolderLock {
public:
  explicit PosixFolderLock(int fd) : fd_(fd) {}

private:
  Descriptor fd_;
};

} // namespace

PosixPlatform::PosixPlatform(int argc, char** argv) {
  std::string path = executablePath(argc > 0 ? argv[0] : nullptr);
  directory_ = path.substr(0, path.rfind('/') + 1);
  if (directory_.empty()) {
    directory_ = "./";
  }
  std::string joined;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) {
      joined += ' ';
    }
    joined += argv[i];
  }
  tail_ = cp1252FromUtf8(joined);
}

std::string PosixPlatform::pathOf(std::string_view name) const {
  return directory_ + utf8From1252(name);
}

void PosixPlatform::showMessage(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      continue;
    }
    out += text[i];
  }
  std::string utf8 = utf8From1252(out) + "\n";
  writeAll(STDOUT_FILENO, utf8);
}

void PosixPlatform::tellWhereItIs(const std::string& path) {
  writeAll(STDOUT_FILENO, path + "\n");
}

void PosixPlatform::openDocument(std::string_view name) {
  std::string path = pathOf(name);
  // Only a regular file is handed on: never a directory, a device or a link,
  // whatever the opener would make of it.
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return;
  }
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  bool graphical =
      (display != nullptr && *display != '\0') || (wayland != nullptr && *wayland != '\0');
  if (!graphical) {
    tellWhereItIs(path);
    return;
  }
#if defined(__APPLE__)
  const char* opener = "open";
#else
  const char* opener = "xdg-open";
#endif
  // The opener runs on its own; its output would not belong on ours.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> args = {const_cast<char*>(opener), path.data(), nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, opener, &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    tellWhereItIs(path);
    return;
  }
  // The opener hands the file on and ends, telling by its exit status whether
  // it could. One that is still running after a while is taken to show the
  // file itself (some run the viewer in their place) and is left to it.
  for (int waited = 0; waited < openerPatience; ++waited) {
    int status = 0;
    const pid_t ended = ::waitpid(pid, &status, WNOHANG);
    if (ended == pid) {
      if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        tellWhereItIs(path);
      }
      return;
    }
    if (ended < 0 && errno != EINTR) {
      return;
    }
    ::usleep(openerPoll);
  }
}

bool PosixPlatform::exists(std::string_view name) {
  struct stat info {};
  return ::stat(pathOf(name).c_str(), &info) == 0;
}

bool PosixPlatform::removeFile(std::string_view name) {
  // Removing an entry needs no permission on the file itself, so its mode is
  // never touched, and a link is removed as a link. A file with a second name
  // is left as it is, as on Windows, where removing it would change what the
  // other name shows.
  const std::string path = pathOf(name);
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    return errno == ENOENT;
  }
  if (S_ISREG(info.st_mode) && info.st_nlink != 1) {
    return false;
  }
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

std::unique_ptr<OutputFile> PosixPlatform::openForAppend(std::string_view name) {
  // O_NOFOLLOW: a link of that name is never followed. O_NONBLOCK: a pipe of
  // that name without a reader gives an error instead of a wait; it changes
  // nothing for a regular file.
  Descriptor fd(::open(pathOf(name).c_str(),
                       O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
  if (fd.get() < 0 || !isRegularFile(fd.get(), true)) {
    return nullptr;
  }
  return std::make_unique<PosixOutputFile>(fd.release());
}

std::optional<std::string> PosixPlatform::readFile(std::string_view name) {
  // Opened without waiting, then read only when it is a regular file: a pipe
  // or a device of that name would make the program wait for ever.
  Descriptor fd(::open(pathOf(name).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0 || !isRegularFile(fd.get(), false)) {
    return std::nullopt;
  }
  std::string content;
  // Room for the whole file at once (up to a size no movements file
  // reaches); a file that grows meanwhile is read all the same.
  if (struct stat info{}; ::fstat(fd.get(), &info) == 0 && info.st_size > 0) {
    content.reserve(static_cast<std::size_t>(std::min<off_t>(info.st_size, readAheadLimit)));
  }
  std::array<char, 65536> buffer;
  for (;;) {
    ssize_t got = ::read(fd.get(), buffer.data(), buffer.size());
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

std::unique_ptr<FolderLock> PosixPlatform::lockFolder() {
  // The lock is taken on the directory itself: a file of it may be replaced
  // by rename or removed while a start runs (as editors save), the directory
  // stays the same, and nothing is created in it.
  Descriptor fd(::open(directory_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0) {
    return nullptr;
  }
  while (::flock(fd.get(), LOCK_EX) != 0) {
    if (errno != EINTR) {
      return nullptr;
    }
  }
  return std::make_unique<PosixFolderLock>(fd.release());
}

} // namespace balvix
