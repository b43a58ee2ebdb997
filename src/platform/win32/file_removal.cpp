#include "platform/win32/file_removal.h"

#include "platform/win32/handle.h"

#include <windows.h>

namespace balvix {

namespace {

// Opens the entry at `path` itself (a link as the link) to be deleted,
// shared with nobody; waits a moment while another program holds it open.
// An invalid handle when it cannot be opened, the last error telling why.
HANDLE openForRemoval(const std::wstring& path) {
  const auto open = [&path] {
    return CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | DELETE, 0,
                       nullptr, OPEN_EXISTING,
                       FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  };
  HANDLE opened = open();
  for (int tries = 0; opened == INVALID_HANDLE_VALUE && tries < 100; ++tries) {
    if (GetLastError() != ERROR_SHARING_VIOLATION) {
      break;
    }
    Sleep(20);
    opened = open();
  }
  return opened;
}

// Marks the file open as `opened` (a handle that may delete it) for deletion
// when the handle closes, and closes it. False when it is left as it was: a
// directory, a file with other names, or one the system will not delete.
bool markForDeletion(HANDLE opened) {
  Handle entry(opened);
  // Attributes belong to the file, not to a name: a file with a second
  // name is left alone, since resetting its read-only attribute would
  // change what the other name shows.
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(entry.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
      ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 && info.nNumberOfLinks != 1)) {
    return false;
  }
  // A read-only, hidden or system file is made a plain one first, so that
  // it can be deleted; when it cannot be, it gets its attributes back.
  constexpr DWORD keeping = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  FILE_BASIC_INFO basic{};
  const bool reset = (info.dwFileAttributes & keeping) != 0;
  if (reset) {
    basic.FileAttributes = FILE_ATTRIBUTE_ARCHIVE;
    SetFileInformationByHandle(entry.get(), FileBasicInfo, &basic, sizeof basic);
  }
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = TRUE;
  if (!SetFileInformationByHandle(entry.get(), FileDispositionInfo, &disposition,
                                  sizeof disposition)) {
    if (reset) {
      basic.FileAttributes = info.dwFileAttributes;
      SetFileInformationByHandle(entry.get(), FileBasicInfo, &basic, sizeof basic);
    }
    return false;
  }
  return true;
}

// True once nothing of that path is left, waited for a little: a handle
// that reads only attributes (a file manager's) does not stop a deletion,
// and keeps the name until it closes.
bool nameGoes(const std::wstring& path) {
  for (int tries = 0; tries < 100; ++tries) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
      DWORD error = GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        return true;
      }
    }
    Sleep(20);
  }
  return false;
}

} // namespace

bool removeEntry(const std::wstring& path) {
  // Everything is done through one handle on the entry itself (a link of
  // that name is opened as the link, never what it points to), so that what
  // is checked is what is changed. It is shared with nobody: while another
  // program holds the file open (the viewer of the previous report), it is
  // waited for a moment, and then left exactly as it was. Marked for
  // deletion, the file then goes when this handle closes, not later, when
  // some other program would close it.
  HANDLE opened = openForRemoval(path);
  if (opened == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  return markForDeletion(opened) && nameGoes(path);
}

} // namespace balvix
