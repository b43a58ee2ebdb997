#include "platform/win32/win32_platform.h"

#include <algorithm>
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
  ~Handle() {
    if (valid()) {
      CloseHandle(handle_);
    }
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  bool close() {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) != 0;
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

Win32Platform::Win32Platform() {
  std::wstring path = modulePath();
  directory_ = path.substr(0, path.rfind(L'\\') + 1);
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
  ShellExecuteW(nullptr, L"open", pathOf(name).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool Win32Platform::exists(std::string_view name) {
  return GetFileAttributesW(pathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Platform::removeFile(std::string_view name) {
  std::wstring path = pathOf(name);
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
  if (DeleteFileW(path.c_str())) {
    return true;
  }
  DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool Win32Platform::appendLine(std::string_view name, std::string_view line) {
  if (appendPath_.empty() || name != appendName_) {
    appendName_ = name;
    appendPath_ = pathOf(name);
  }
  Handle file(CreateFileW(appendPath_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    return false;
  }
  appendBytes_.assign(line).append("\r\n");
  bool written = writeAll(file.get(), appendBytes_);
  return file.close() && written;
}

std::optional<std::string> Win32Platform::readFile(std::string_view name) {
  Handle file(CreateFileW(pathOf(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    return std::nullopt;
  }
  std::string content;
  std::vector<char> buffer(65536);
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
      return std::nullopt;
    }
    if (got == 0) {
      return content;
    }
    content.append(buffer.data(), got);
  }
}

} // namespace balvix
