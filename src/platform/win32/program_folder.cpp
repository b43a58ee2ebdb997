#include "platform/win32/program_folder.h"

#include <vector>

#include <windows.h>

namespace balvix {

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

std::wstring longForm(std::wstring path) {
  if (path.size() < MAX_PATH || path.rfind(L"\\\\?\\", 0) == 0) {
    return path;
  }
  if (path.rfind(L"\\\\", 0) == 0) {
    return L"\\\\?\\UNC\\" + path.substr(2);
  }
  return L"\\\\?\\" + path;
}

} // namespace balvix
