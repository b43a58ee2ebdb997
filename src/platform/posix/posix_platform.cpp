#include "platform/posix/posix_platform.h"

#include "platform/posix/document_opener.h"
#include "platform/posix/folder_entries.h"
#include "platform/posix/folder_lock.h"
#include "platform/posix/open_file.h"
#include "platform/posix/program_folder.h"
#include "text/cp1252.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace balvix {

namespace {

// The arguments of `argv` after the program's name, joined by single blanks.
std::string joinedArguments(int argc, char** argv) {
  std::string joined;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) {
      joined += ' ';
    }
    joined += argv[i];
  }
  return joined;
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
  tail_ = cp1252FromUtf8(joinedArguments(argc, argv));
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
  const std::string folder = currentFolderPath(folder_);
  return folder.empty() ? "" : folder + nameOf(name);
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
  const std::string path = currentPathOf(name);
  if (path.empty()) {
    return;
  }
  if (!graphicalSession() || !handToOpener(path)) {
    tellWhereItIs(path);
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
  return listOpenFolder(opened);
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
  return lockOpenFolder(folder_);
}

} // namespace balvix
