#pragma once

#include <string_view>

namespace balvix {

// A file created and open for appending, as the system holds it (see
// Platform::openForAppend). Every write goes to the end of the file that was
// opened: a file put in its place while it is open receives nothing. The file
// is closed when the object goes, if close() did not close it before. (It
// lies here, below the platform, so that OutputFile, which gathers what is
// appended to one, needs nothing of the platform's.)
class AppendFile {
public:
  virtual ~AppendFile() = default;
  AppendFile() = default;
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;

  // Writes the bytes, as they are, at the end of the file; true when they
  // were written whole. False once the file is closed.
  virtual bool write(std::string_view bytes) = 0;

  // Closes the file. False when the system reports the close as failed, which
  // tells that what was written may not all be in the file (some file systems
  // tell a failed write only then).
  virtual bool close() = 0;
};

} // namespace balvix
