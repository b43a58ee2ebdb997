#include "platform/win32/win32_platform.h"

#include "platform/win32/file_removal.h"
#include "platform/win32/folder_entries.h"
#include "platform/win32/folder_lock.h"
#include "platform/win32/handle.h"
#include "platform/win32/open_file.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/wide_text.h"

#include <memory>

#include <windows.h>

#include <shellapi.h>

namespace balvix {

std::wstring commandTailOf(std::wstring_view commandLine) {
  std::size_t pos = 0;
  if (!commandLine.empty() && commandLine[0] == L'"') {
    std::size_t close = commandLine.find(L'"', 1);
    pos = close == std::wstring_view::npos ? commandLine.size() : close + 1;
  } else {
    pos = commandLine.find_first_of(L" \t");
    if (pos == std::wstring_view::npos) {
      pos = commandLine.size();
    }
  }
  while (pos < commandLine.size() && (commandLine[pos] == L' ' || commandLine[pos] == L'\t')) {
    ++pos;
  }
  return std::wstring(commandLine.substr(pos));
}

Win32Platform::Win32Platform() : folder_(INVALID_HANDLE_VALUE) {
  const std::wstring path = modulePath();
  const std::size_t slash = path.rfind(L'\\');
  if (slash == std::wstring::npos) {
    return;
  }
  directory_ = path.substr(0, slash + 1);
  // Held without FILE_SHARE_DELETE: nobody can rename, move or remove the
  // folder while the program runs, so its path names it throughout. A handle
  // that reads only attributes would share everything whatever it asks, so
  // it also asks to traverse.
  Handle folder(CreateFileW(longForm(directory_).c_str(), FILE_TRAVERSE | FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (folder.valid() && !lockNameOf(folder.get()).empty()) {
    folder_ = folder.release();
  }
}

Win32Platform::~Win32Platform() {
  Handle folder(folder_);
}

bool Win32Platform::folderFound() {
  return folder_ != INVALID_HANDLE_VALUE;
}

std::wstring Win32Platform::pathOf(std::string_view name) const {
  return longForm(directory_ + utf16From1252(name));
}

std::string Win32Platform::commandTail() {
  const wchar_t* line = GetCommandLineW();
  return cp1252FromUtf16(commandTailOf(line != nullptr ? line : L""));
}

void Win32Platform::showMessage(std::string_view text) {
  MessageBoxW(nullptr, utf16From1252(text).c_str(), L"Programador", MB_OK);
}

void Win32Platform::openDocument(std::string_view name) {
  if (!folderFound()) {
    return;
  }
  std::wstring path = pathOf(name);
  // Only a regular file is handed to the shell: a directory would open in
  // the file manager, a link would show what it points to.
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
    return;
  }
  // The shell takes paths up to the classic limit only, and not in their
  // long form; a longer one is told as one it cannot open. A result of 32 or
  // less is the shell's failure (no application for the file, for one).
  const std::wstring shown = directory_ + utf16From1252(name);
  if (shown.size() >= MAX_PATH ||
      reinterpret_cast<INT_PTR>(
          ShellExecuteW(nullptr, L"open", shown.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) <= 32) {
    tellWhereItIs(shown);
  }
}

void Win32Platform::tellWhereItIs(const std::wstring& path) {
  MessageBoxW(nullptr, path.c_str(), L"Programador", MB_OK);
}

bool Win32Platform::exists(std::string_view name) {
  if (!folderFound()) {
    return false;
  }
  const std::wstring path = pathOf(name);
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return attributes != INVALID_FILE_ATTRIBUTES;
  }
  // A link is there when what it points to is: it is followed, as readFile
  // follows it.
  Handle target(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return target.valid();
}

bool Win32Platform::removeFile(std::string_view name) {
  if (!folderFound()) {
    return false;
  }
  return removeEntry(pathOf(name));
}

std::unique_ptr<AppendFile> Win32Platform::openForAppend(std::string_view name) {
  // Appending only (no FILE_WRITE_DATA): every write goes to the end. The
  // file is created here or not at all (CREATE_NEW): whatever bears the name
  // already, a file put there meanwhile or a link, is left alone. The user
  // may still open, copy or delete the file meanwhile.
  if (!folderFound()) {
    return nullptr;
  }
  Handle file(CreateFileW(pathOf(name).c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                          nullptr));
  if (!file.valid()) {
    return nullptr;
  }
  return std::make_unique<Win32AppendFile>(file.release());
}

std::optional<std::string> Win32Platform::readFile(std::string_view name) {
  if (!folderFound()) {
    return std::nullopt;
  }
  Handle file(CreateFileW(pathOf(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  // Only a file on disk is read: a pipe or a device would make the program
  // wait for ever.
  if (!file.valid() || !isRegularFile(file.get())) {
    return std::nullopt;
  }
  return readWhole(file.get());
}

std::optional<std::wstring> Win32Platform::folderPath(std::string_view folder,
                                                      FolderListing::State& state) {
  state = FolderListing::State::unreadable;
  if (!folderFound()) {
    return std::nullopt;
  }
  std::wstring base = programFolder() + utf16From1252(folder);
  // The folder itself, never a link (a junction or a symbolic link).
  const DWORD attributes = GetFileAttributesW(longForm(base).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      state = FolderListing::State::absent;
    }
    return std::nullopt;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
      (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    return std::nullopt;
  }
  state = FolderListing::State::listed;
  return base;
}

FolderListing Win32Platform::listFolder(std::string_view folder) {
  FolderListing::State state{};
  const std::optional<std::wstring> base = folderPath(folder, state);
  if (!base) {
    FolderListing found;
    found.state = state;
    return found;
  }
  return listEntries(*base);
}

std::optional<std::string> Win32Platform::readFolderFile(std::string_view folder,
                                                         const FolderEntry& entry) {
  FolderListing::State state{};
  const std::optional<std::wstring> base = folderPath(folder, state);
  if (!base) {
    return std::nullopt;
  }
  return readEntry(*base, entry.systemName);
}

std::unique_ptr<FolderLock> Win32Platform::lockFolder() {
  // A mutex named after the folder's identity: its volume and its file
  // number, which every path to it shares (in any letter case, by a short
  // name, through a mapped drive or a junction) and which stays the same
  // whatever happens to the entries in it, or to its own name, meanwhile. A
  // lock on a file of the folder would go with that file when an editor
  // saves by rename, and a lock file would be left in the folder.
  const std::wstring name = folderFound() ? lockNameOf(folder_) : L"";
  if (name.empty()) {
    return nullptr;
  }
  return lockByName(name);
}

} // namespace balvix
