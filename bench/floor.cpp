// The yardstick of a projection: the cost of a report's bytes. It copies the
// lines of a finished report into a new file with the system calls a run
// makes, and nothing else. The file is removed first, as a run removes its
// old report; then it is opened once for appending (never through a link:
// POSIX O_NOFOLLOW, Windows FILE_FLAG_OPEN_REPARSE_POINT, and the type
// checked), the bytes are written in blocks of 64 KiB, one write each (the
// last one shorter), and the file is closed.
//
// With --lines, one write for every line (ended by CR LF in the source)
// instead: the floor of the versions that wrote each line as it came. With
// --per-line, the cycle of still earlier versions: every line gets its own
// open for appending, one write and a close.
//
// usage: floor [--lines | --per-line] SOURCE TARGET    (TARGET as the absolute
//                                                      path a run would use)
//
// Built for Linux by the bench preset and for Windows by bench-windows.

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32

std::wstring wide(const char* text) {
  int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), size);
  out.resize(out.size() - 1);
  return out;
}

class Target {
public:
  explicit Target(const char* path) : path_(wide(path)) { DeleteFileW(path_.c_str()); }
  ~Target() { close(); }
  Target(const Target&) = delete;
  Target& operator=(const Target&) = delete;

  bool open() {
    file_ = CreateFileW(path_.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    return file_ != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file_, &info) &&
           (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
  }
  bool write(std::string_view bytes) {
    DWORD written = 0;
    return WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
  }
  bool close() {
    HANDLE file = file_;
    file_ = INVALID_HANDLE_VALUE;
    return file == INVALID_HANDLE_VALUE || CloseHandle(file) != 0;
  }

private:
  std::wstring path_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

#else

class Target {
public:
  explicit Target(const char* path) : path_(path) { ::unlink(path_); }
  ~Target() { close(); }
  Target(const Target&) = delete;
  Target& operator=(const Target&) = delete;

  bool open() {
    fd_ = ::open(path_, O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    struct stat info {};
    return fd_ >= 0 && ::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1;
  }
  bool write(std::string_view bytes) {
    return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }
  bool close() {
    int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

private:
  const char* path_;
  int fd_ = -1;
};

#endif

} // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc == 4 ? argv[1] : "";
  const bool perLine = mode == "--per-line";
  const bool lines = perLine || mode == "--lines";
  if (argc != 3 && !lines) {
    std::fputs("usage: floor [--lines | --per-line] SOURCE TARGET\n", stderr);
    return 2;
  }
  const char* sourcePath = argv[argc - 2];
  std::ifstream source(sourcePath, std::ios::binary);
  if (!source) {
    std::fprintf(stderr, "floor: cannot read %s\n", sourcePath);
    return 1;
  }
  Target target(argv[argc - 1]);
  bool whole = perLine || target.open();
  auto append = [&](std::string_view bytes) {
    if (perLine) {
      bool opened = target.open();
      bool written = opened && target.write(bytes);
      whole = target.close() && written && whole;
    } else {
      whole = target.write(bytes) && whole;
    }
  };
  // The source is read in blocks. Each is written as it is, or line by line;
  // then a line cut by a block's end waits in `pending`.
  std::string pending;
  static char block[65536];
  while (source.read(block, sizeof block) || source.gcount() > 0) {
    const std::string_view got(block, static_cast<std::size_t>(source.gcount()));
    if (!lines) {
      append(got);
      continue;
    }
    pending.append(got);
    std::string_view rest = pending;
    for (std::size_t end; (end = rest.find("\r\n")) != std::string_view::npos;) {
      append(rest.substr(0, end + 2));
      rest.remove_prefix(end + 2);
    }
    pending.erase(0, pending.size() - rest.size());
  }
  if (!pending.empty()) {
    append(pending);
  }
  whole = target.close() && whole;
  return whole && !source.bad() ? 0 : 1;
}
