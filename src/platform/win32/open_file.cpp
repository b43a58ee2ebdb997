#include "platform/win32/open_file.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace balvix {

namespace {

// The most room made at once for a file read.
constexpr LONGLONG readAheadLimit = 1 << 28;

} // namespace

bool writeAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

bool isRegularFile(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info{};
  return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
         (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

std::optional<std::string> readWhole(HANDLE file) {
  std::string content;
  // Room for the whole file at once (up to a size no movements file
  // reaches); a file that grows meanwhile is read all the same.
  if (LARGE_INTEGER size{}; GetFileSizeEx(file, &size) && size.QuadPart > 0) {
    content.reserve(static_cast<std::size_t>(std::min<LONGLONG>(size.QuadPart, readAheadLimit)));
  }
  std::vector<char> buffer(65536);
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
      return std::nullopt;
    }
    if (got == 0) {
      return content;
    }
    content.append(buffer.data(), got);
  }
}

bool Win32AppendFile::write(std::string_view bytes) {
  return file_.valid() && writeAll(file_.get(), bytes);
}

} // namespace balvix
