#include "platform/win32/win32_platform.h"

#include <algorithm>
#include <cwchar>
#include <memory>
#include <utility>
#include <vector>

#include <windows.h>

#include <shellapi.h>

namespace balvix {

namespace {

constexpr UINT codePage1252 = 1252;

// Closes a handle when it goes out of scope.
class Handle {
public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() { close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
  // False when the system reports the close as failed. The handle is
  // released whatever close() answers: it is never closed twice.
  bool close() {
    HANDLE handle = release();
    return handle == INVALID_HANDLE_VALUE || CloseHandle(handle) != 0;
  }

private:
  HANDLE handle_;
};

std::wstring modulePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      return L"";
    }
    if (length < buffer.size()) {
      return std::wstring(buffer.data(), length);
    }
    if (buffer.size() >= 32768) {
      return L"";
    }
    buffer.resize(buffer.size() * 2);
  }
}

// A path the file functions accept whatever its length: from the classic
// limit on, a drive or network path takes its long form.
std::wstring longForm(std::wstring path) {
  if (path.size() < MAX_PATH || path.rfind(L"\\\\?\\", 0) == 0) {
    return path;
  }
  if (path.rfind(L"\\\\", 0) == 0) {
    return L"\\\\?\\UNC\\" + path.substr(2);
  }
  return L"\\\\?\\" + path;
}

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

// What an open handle is: a file on disk, and neither a directory nor a link
// (a reparse point).
bool isRegularFile(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info{};
  return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
         (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

class Win32AppendFile : public AppendFile {
public:
  explicit Win32AppendFile(HANDLE file) : file_(file) {}
  Win32AppendFile(const Win32AppendFile&) = delete;
  Win32AppendFile& operator=(const Win32AppendFile&) = delete;

  bool write(std::string_view bytes) override {
    return file_.valid() && writeAll(file_.get(), bytes);
  }
  bool close() override { return file_.close(); }

private:
  Handle file_;
};

// The most room made at once for a file read.
constexpr LONGLONG readAheadLimit = 1 << 28;

// The whole content of an open file; nothing when a read fails.
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

// The name of the mutex of the folder open as `folder`: its volume and its
// whole file number; empty when it is not a folder.
std::wstring lockNameOf(HANDLE folder) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(folder, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return L"";
  }
  wchar_t name[64];
  swprintf(name, sizeof name / sizeof name[0], L"Local\\balvix-carpeta-%08lx-%08lx%08lx",
           static_cast<unsigned long>(info.dwVolumeSerialNumber),
           static_cast<unsigned long>(info.nFileIndexHigh),
           static_cast<unsigned long>(info.nFileIndexLow));
  return name;
}

// Owns the folder's mutex until it goes.
class Win32FolderLock : public FolderLock {
public:
  explicit Win32FolderLock(HANDLE mutex) : mutex_(mutex) {}
  ~Win32FolderLock() override { ReleaseMutex(mutex_.get()); }
  Win32FolderLock(const Win32FolderLock&) = delete;
  Win32FolderLock& operator=(const Win32FolderLock&) = delete;

private:
  Handle mutex_;
};

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

std::wstring utf16From1252(std::string_view text) {
  if (text.empty()) {
    return L"";
  }
  int size =
      MultiByteToWideChar(codePage1252, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(codePage1252, 0, text.data(), static_cast<int>(text.size()), out.data(),
                      size);
  return out;
}

std::string cp1252FromUtf16(std::wstring_view text) {
  if (text.empty()) {
    return "";
  }
  int size = WideCharToMultiByte(codePage1252, WC_NO_BEST_FIT_CHARS, text.data(),
                                 static_cast<int>(text.size()), nullptr, 0, "?", nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage1252, WC_NO_BEST_FIT_CHARS, text.data(),
                      static_cast<int>(text.size()), out.data(), size, "?", nullptr);
  return out;
}

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
  const std::wstring path = pathOf(name);
  // Everything is done through one handle on the entry itself (a link of
  // that name is opened as the link, never what it points to), so that what
  // is checked is what is changed. It is shared with nobody: while another
  // program holds the file open (the viewer of the previous report), it is
  // waited for a moment, and then left exactly as it was. Marked for
  // deletion, the file then goes when this handle closes, not later, when
  // some other program would close it.
  const auto open = [&path] {
    return CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | DELETE, 0,
                       nullptr, OPEN_EXISTING,
                       FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  };
  HANDLE opened = open();
  for (int tries = 0; opened == INVALID_HANDLE_VALUE; ++tries) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      return true;
    }
    if (error != ERROR_SHARING_VIOLATION || tries == 100) {
      return false;
    }
    Sleep(20);
    opened = open();
  }
  return markForDeletion(opened) && nameGoes(path);
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
  FolderListing found;
  const std::optional<std::wstring> base = folderPath(folder, found.state);
  if (!base) {
    return found;
  }
  WIN32_FIND_DATAW data{};
  HANDLE search = FindFirstFileW(longForm(*base + L"\\*").c_str(), &data);
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

std::optional<std::string> Win32Platform::readFolderFile(std::string_view folder,
                                                         const FolderEntry& entry) {
  FolderListing::State state{};
  const std::optional<std::wstring> base = folderPath(folder, state);
  if (!base) {
    return std::nullopt;
  }
  std::wstring name(entry.systemName.size() / sizeof(wchar_t), L'\0');
  std::copy(entry.systemName.begin(),
            entry.systemName.begin() + static_cast<std::ptrdiff_t>(name.size() * sizeof(wchar_t)),
            reinterpret_cast<char*>(name.data()));
  // The entry itself is opened, never what a link points to, and read only
  // when it is a file on disk.
  Handle opened(CreateFileW(longForm(*base + L"\\" + name).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!opened.valid() || !isRegularFile(opened.get())) {
    return std::nullopt;
  }
  return readWhole(opened.get());
}

std::wstring folderLockName(const std::wstring& directory) {
  Handle folder(CreateFileW(longForm(directory).c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return folder.valid() ? lockNameOf(folder.get()) : L"";
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
  HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
  if (mutex == nullptr) {
    return nullptr;
  }
  Handle owned(mutex);
  // Waiting while another start holds it; a start that ended without
  // releasing it (killed) leaves it abandoned, and it is taken all the same.
  const DWORD waited = WaitForSingleObject(owned.get(), INFINITE);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    return nullptr;
  }
  return std::make_unique<Win32FolderLock>(owned.release());
}

} // namespace balvix
