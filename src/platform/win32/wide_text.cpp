#include "platform/win32/wide_text.h"

#include <windows.h>

namespace balvix {

namespace {

constexpr UINT codePage1252 = 1252;

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

} // namespace balvix
