#pragma once

#include "text/append_file.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace balvix {

// Files of the POSIX platform held by their descriptors: closed once, written
// whole, read whole.

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
  bool close();

private:
  int fd_;
};

// Writes all the bytes to the open file, again after an interrupted write;
// false when a write fails.
bool writeAll(int fd, std::string_view bytes);

// True when the open file is a regular file.
bool isRegularFile(int fd);

// The whole content of an open file, however long, and even when it grows
// while it is read; nothing when a read fails.
std::optional<std::string> readWhole(int fd);

// The whole content of the regular file `name` (as the system takes it) of
// the open folder `folder`; nothing when it cannot be read or is anything
// else. A link is never followed and a pipe or device never waited on: the
// entry's kind is checked again on the open file, since the entry may have
// been replaced meanwhile.
std::optional<std::string> readFileAt(int folder, const std::string& name);

// The file Platform::openForAppend gives, over a descriptor open for
// appending, which it owns.
class PosixAppendFile : public AppendFile {
public:
  explicit PosixAppendFile(int fd) : fd_(fd) {}
  PosixAppendFile(const PosixAppendFile&) = delete;
  PosixAppendFile& operator=(const PosixAppendFile&) = delete;

  bool write(std::string_view bytes) override;
  bool close() override { return fd_.close(); }

private:
  Descriptor fd_;
};

} // namespace balvix
