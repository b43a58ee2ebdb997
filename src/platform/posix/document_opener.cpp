#include "platform/posix/document_opener.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// unistd.h declares it only on some systems (glibc with _GNU_SOURCE).
extern char** environ; // NOLINT(readability-redundant-declaration)

namespace balvix {

namespace {

// How long the opener of a document is waited for: this many polls, this
// many microseconds apart (ten seconds in all).
constexpr int openerPatience = 200;
constexpr useconds_t openerPoll = 50000;

#if defined(__APPLE__)
constexpr const char* opener = "open";
#else
constexpr const char* opener = "xdg-open";
#endif

// Starts the opener on the file at `path`; nothing when it cannot start.
std::optional<pid_t> startOpener(std::string& path) {
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
    return std::nullopt;
  }
  return pid;
}

// Waits for the opener started as `pid`, as handToOpener tells.
bool openerHandedOn(pid_t pid) {
  // The opener hands the file on and ends, telling by its exit status whether
  // it could. One that is still running after a while is taken to show the
  // file itself (some run the viewer in their place) and is left to it.
  for (int waited = 0; waited < openerPatience; ++waited) {
    int status = 0;
    const pid_t ended = ::waitpid(pid, &status, WNOHANG);
    if (ended == pid) {
      return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    if (ended < 0 && errno != EINTR) {
      return true;
    }
    ::usleep(openerPoll);
  }
  return true;
}

} // namespace

bool graphicalSession() {
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (display != nullptr && *display != '\0') || (wayland != nullptr && *wayland != '\0');
}

bool handToOpener(std::string path) {
  const std::optional<pid_t> pid = startOpener(path);
  return pid && openerHandedOn(*pid);
}

} // namespace balvix
