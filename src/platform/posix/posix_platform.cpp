#include "platform/posix/posix_platform.h"

#include "input/cp1252.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>
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

void PosixPlatform::openDocument(std::string_view name) {
  std::string path = pathOf(name);
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  bool graphical =
      (display != nullptr && *display != '\0') || (wayland != nullptr && *wayland != '\0');
  if (!graphical) {
    if (exists(name)) {
      writeAll(STDOUT_FILENO, path + "\n");
    }
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
  posix_spawnp(&pid, opener, &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
}

bool PosixPlatform::exists(std::string_view name) {
  struct stat info {};
  return ::stat(pathOf(name).c_str(), &info) == 0;
}

bool PosixPlatform::removeFile(std::string_view name) {
  std::string path = pathOf(name);
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    return errno == ENOENT;
  }
  if (S_ISREG(info.st_mode)) {
    ::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR);
  }
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool PosixPlatform::appendLine(std::string_view name, std::string_view line) {
  if (appendPath_.empty() || name != appendName_) {
    appendName_ = name;
    appendPath_ = pathOf(name);
  }
  int fd = ::open(appendPath_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) {
    return false;
  }
  appendBytes_.assign(line).append("\r\n");
  bool written = writeAll(fd, appendBytes_);
  bool closed = ::close(fd) == 0;
  return written && closed;
}

std::optional<std::string> PosixPlatform::readFile(std::string_view name) {
  int fd = ::open(pathOf(name).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return std::nullopt;
  }
  std::string content;
  std::array<char, 65536> buffer;
  for (;;) {
    ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (got == 0) {
      break;
    }
    content.append(buffer.data(), static_cast<std::size_t>(got));
  }
  ::close(fd);
  return content;
}

} // namespace balvix
