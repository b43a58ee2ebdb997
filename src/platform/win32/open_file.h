#pragma once

#include "platform/win32/handle.h"
#include "text/append_file.h"

#include <optional>
#include <string>
#include <string_view>

#include <windows.h>

namespace balvix {

// Files of the Windows platform held by their handles: written whole, read
// whole.

// Writes all the bytes to the open file, in pieces the system takes; false
// when a write fails or writes nothing.
bool writeAll(HANDLE file, std::string_view bytes);

// True when the open handle is a file on disk, and neither a directory nor a
// link (a reparse point).
bool isRegularFile(HANDLE file);

// The whole content of an open file, however long, and even when it grows
// while it is read; nothing when a read fails.
std::optional<std::string> readWhole(HANDLE file);

// The file Platform::openForAppend gives, over a handle open for appending,
// which it owns.
class Win32AppendFile : public AppendFile {
public:
  explicit Win32AppendFile(HANDLE file) : file_(file) {}
  Win32AppendFile(const Win32AppendFile&) = delete;
  Win32AppendFile& operator=(const Win32AppendFile&) = delete;

  bool write(std::string_view bytes) override;
  bool close() override { return file_.close(); }

private:
  Handle file_;
};

} // namespace balvix
