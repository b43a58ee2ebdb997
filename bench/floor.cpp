// The yardstick of a projection: writes the lines of a report to a new file
// with the very system calls the report writer makes for each line, and
// nothing else. The file is removed first, as a run removes its old report;
// then every line (ended by CR LF in the source) gets an open for appending,
// one write of the line and CR LF, and a close.
//
// usage: floor SOURCE TARGET    (TARGET as the absolute path a run would use)

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

bool appendLine(const char* path, std::string_view lineWithEnd) {
  int fd = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) {
    return false;
  }
  bool written = ::write(fd, lineWithEnd.data(), lineWithEnd.size()) ==
                 static_cast<ssize_t>(lineWithEnd.size());
  bool closed = ::close(fd) == 0;
  return written && closed;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: floor SOURCE TARGET\n", stderr);
    return 2;
  }
  int source = ::open(argv[1], O_RDONLY | O_CLOEXEC);
  if (source < 0) {
    std::fprintf(stderr, "floor: cannot read %s: %s\n", argv[1], std::strerror(errno));
    return 1;
  }
  ::unlink(argv[2]);
  // The source is read in blocks; a line cut by a block's end waits in `pending`.
  std::string pending;
  char block[65536];
  bool whole = true;
  for (;;) {
    ssize_t got = ::read(source, block, sizeof block);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      whole = whole && got == 0;
      break;
    }
    pending.append(block, static_cast<std::size_t>(got));
    std::string_view rest = pending;
    for (std::size_t end; (end = rest.find("\r\n")) != std::string_view::npos;) {
      whole = appendLine(argv[2], rest.substr(0, end + 2)) && whole;
      rest.remove_prefix(end + 2);
    }
    pending.erase(0, pending.size() - rest.size());
  }
  if (!pending.empty()) {
    whole = appendLine(argv[2], pending) && whole;
  }
  ::close(source);
  return whole ? 0 : 1;
}
