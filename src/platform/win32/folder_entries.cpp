#include "platform/win32/folder_entries.h"

#include "platform/win32/handle.h"
#include "platform/win32/open_file.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/wide_text.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>

#include <windows.h>

namespace balvix {

FolderListing listEntries(const std::wstring& base) {
  FolderListing found;
  found.state = FolderListing::State::listed;
  WIN32_FIND_DATAW data{};
  HANDLE search = FindFirstFileW(longForm(base + L"\\*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) {
    found.state = FolderListing::State::unreadable;
    return found;
  }
  do {
    const std::wstring_view wide = data.cFileName;
    if (wide == L"." || wide == L"..") {
      continue;
    }
    // The system's own name travels as its UTF-16 bytes, to find the entry
    // again whatever Windows-1252 makes of it.
    std::string systemName(reinterpret_cast<const char*>(wide.data()),
                           wide.size() * sizeof(wchar_t));
    const bool regular =
        (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
    found.entries.push_back({cp1252FromUtf16(data.cFileName), std::move(systemName), regular});
  } while (FindNextFileW(search, &data));
  if (GetLastError() != ERROR_NO_MORE_FILES) {
    found.state = FolderListing::State::unreadable;
  }
  FindClose(search);
  return found;
}

std::optional<std::string> readEntry(const std::wstring& base, const std::string& systemName) {
  std::wstring name(systemName.size() / sizeof(wchar_t), L'\0');
  std::copy(systemName.begin(),
            systemName.begin() + static_cast<std::ptrdiff_t>(name.size() * sizeof(wchar_t)),
            reinterpret_cast<char*>(name.data()));
  // The entry itself is opened, never what a link points to, and read only
  // when it is a file on disk.
  Handle opened(CreateFileW(longForm(base + L"\\" + name).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!opened.valid() || !isRegularFile(opened.get())) {
    return std::nullopt;
  }
  return readWhole(opened.get());
}

} // namespace balvix
