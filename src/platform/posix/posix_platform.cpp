#include "platform/posix/posix_platform.h"

#include "text/cp1252.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
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

// How a folder is opened when it cannot be listed, only searched: its files
// are reached through such a handle, but some systems lock none (Linux).
#if defined(O_PATH)
constexpr int searchOnly = O_PATH;
#elif defined(O_SEARCH)
constexpr int searchOnly = O_SEARCH;
#else
constexpr int searchOnly = O_RDONLY;
#endif

// The full path of the running executable, as the system tells it; nothing
// when it cannot (no /proc, a path too long for it, a program file since
// removed). Never a guess from argv[0] or the working directory.
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

// The same file system entry.
bool sameEntry(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Opens the folder of the executable at `path` and checks that it holds the
// very program that runs (not a folder put at that path since); -1 when it
// cannot. A folder that cannot be listed is opened for searching only, where
// the system has such a handle: its files can still be reached through it.
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

// True when the open file is a regular file.
bool isRegularFile(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

class PosixAppendFile : public AppendFile {
public:
  explicit PosixAppendFile(int fd) : fd_(fd) {}
  PosixAppendFile(const PosixAppendFile&) = delete;
  PosixAppendFile& operator=(const PosixAppendFile&) = delete;

  bool write(std::string_view bytes) override {
    return fd_.get() >= 0 && writeAll(fd_.get(), bytes);
  }
  bool close() override { return fd_.close(); }

private:
  Descriptor fd_;
};

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

// The whole content of an open file; nothing when a read fails.
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

// Reads the regular file `name` of the open folder `folder`. An entry of
// another kind is never opened; the check is made again on the open file,
// since the entry may have been replaced meanwhile.
std::optional<std::string> readFileAt(int folder, const std::string& name) {
  Descriptor fd(::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0 || !isRegularFile(fd.get())) {
    return std::nullopt;
  }
  return readWhole(fd.get());
}

} // namespace

PosixPlatform::PosixPlatform(int argc, char** argv) {
  // A write to a pipe whose reader has gone, or beyond the file size limit,
  // fails like any other instead of ending the process without a word.
  ::signal(SIGPIPE, SIG_IGN);
  ::signal(SIGXFSZ, SIG_IGN);
  if (std::optional<std::string> path = executablePath()) {
    directory_ = path->substr(0, path->rfind('/') + 1);
    folder_ = openProgramFolder(*path);
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

PosixPlatform::~PosixPlatform() {
  if (folder_ >= 0) {
    ::close(folder_);
  }
}

std::string PosixPlatform::nameOf(std::string_view name) {
  return utf8From1252(name);
}

std::string PosixPlatform::currentPathOf(std::string_view name) const {
  // Where the folder held is now: the system names it by its descriptor, and
  // the name must still lead to it (not to a folder put in its place).
  std::string folder;
#if defined(__APPLE__)
  std::vector<char> buffer(PATH_MAX + 1);
  if (::fcntl(folder_, F_GETPATH, buffer.data()) == 0) {
    folder = buffer.data();
  }
#else
  std::vector<char> buffer(PATH_MAX);
  const std::string link = "/proc/self/fd/" + std::to_string(folder_);
  const ssize_t length = ::readlink(link.c_str(), buffer.data(), buffer.size());
  if (length > 0 && static_cast<std::size_t>(length) < buffer.size()) {
    folder.assign(buffer.data(), static_cast<std::size_t>(length));
  }
#endif
  struct stat there {};
  struct stat held {};
  if (folder.empty() || ::stat(folder.c_str(), &there) != 0 || ::fstat(folder_, &held) != 0 ||
      !sameEntry(there, held)) {
    return "";
  }
  if (folder.back() != '/') {
    folder += '/';
  }
  return folder + nameOf(name);
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
  // Only a regular file is handed on: never a directory, a device or a link,
  // whatever the opener would make of it; and only by a path that leads to
  // the folder held.
  struct stat info {};
  if (::fstatat(folder_, nameOf(name).c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
      !S_ISREG(info.st_mode)) {
    return;
  }
  std::string path = currentPathOf(name);
  if (path.empty()) {
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
  return ::fstatat(folder_, nameOf(name).c_str(), &info, 0) == 0;
}

bool PosixPlatform::removeFile(std::string_view name) {
  // Removing an entry needs no permission on the file itself, so its mode is
  // never touched, and a link is removed as a link. Only a regular file or a
  // link is removed: a pipe, a socket or a device of that name is not the
  // program's. A file with a second name is left as it is, as on Windows,
  // where removing it would change what the other name shows.
  const std::string entry = nameOf(name);
  struct stat info {};
  if (::fstatat(folder_, entry.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
    return errno == ENOENT;
  }
  if (!(S_ISREG(info.st_mode) && info.st_nlink == 1) && !S_ISLNK(info.st_mode)) {
    return false;
  }
  return ::unlinkat(folder_, entry.c_str(), 0) == 0 || errno == ENOENT;
}

std::unique_ptr<AppendFile> PosixPlatform::openForAppend(std::string_view name) {
  // Created here or not at all (O_EXCL): whatever bears the name already, a
  // file put there meanwhile, a link (never followed), a pipe (never waited
  // on), is left alone.
  const int fd =
      ::openat(folder_, nameOf(name).c_str(),
               O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    return nullptr;
  }
  return std::make_unique<PosixAppendFile>(fd);
}

std::optional<std::string> PosixPlatform::readFile(std::string_view name) {
  // Opened without waiting, then read only when it is a regular file: a pipe
  // or a device of that name would make the program wait for ever.
  Descriptor fd(::openat(folder_, nameOf(name).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0 || !isRegularFile(fd.get())) {
    return std::nullopt;
  }
  return readWhole(fd.get());
}

int PosixPlatform::openFolder(std::string_view folder) const {
  // The folder itself is never a link: O_NOFOLLOW makes one fail (ELOOP, or
  // ENOTDIR with O_DIRECTORY on some systems), as does a file of that name.
  return folder_ < 0 ? -1
                     : ::openat(folder_, utf8From1252(folder).c_str(),
                                O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
}

FolderListing PosixPlatform::listFolder(std::string_view folder) {
  FolderListing found;
  const int opened = openFolder(folder);
  if (opened < 0) {
    found.state = folder_ >= 0 && errno == ENOENT ? FolderListing::State::absent
                                                  : FolderListing::State::unreadable;
    return found;
  }
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

std::optional<std::string> PosixPlatform::readFolderFile(std::string_view folder,
                                                         const FolderEntry& entry) {
  Descriptor opened(openFolder(folder));
  if (opened.get() < 0) {
    return std::nullopt;
  }
  return readFileAt(opened.get(), entry.systemName);
}

std::unique_ptr<FolderLock> PosixPlatform::lockFolder() {
  // The lock is taken on the folder held: a file of it may be replaced by
  // rename or removed while a start runs (as editors save), the folder stays
  // the same, and nothing is created in it. A folder held for searching only
  // cannot be locked on some systems, and is refused there.
  if (folder_ < 0) {
    return nullptr;
  }
  while (::flock(folder_, LOCK_EX) != 0) {
    if (errno != EINTR) {
      return nullptr;
    }
  }
  return std::make_unique<PosixFolderLock>(folder_);
}

} // namespace balvix
