#include "platform/win32/win32_platform.h"

#include <gtest/gtest.h>

namespace balvix {
namespace {

TEST(Win32CommandTail, NameAndTheBlanksAfterItAreDropped) {
  struct Case {
    std::wstring line;
    std::wstring tail;
  };
  const Case cases[] = {
      {L"balvix.exe int", L"int"},
      {L"balvix.exe    int  ", L"int  "},
      {L"\"C:\\Mis programas\\balvix.exe\" 12/09/2013 x", L"12/09/2013 x"},
      {L"\"C:\\Mis programas\\balvix.exe\"int", L"int"},
      {L"balvix.exe", L""},
      {L"\"balvix.exe", L""},
      {L"balvix.exe\t45000", L"45000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(commandTailOf(c.line), c.tail);
  }
}

TEST(Win32Text, Windows1252ToUtf16AndBack) {
  EXPECT_EQ(utf16From1252("L\xEDnea a\xF1o \x80"), L"L\u00EDnea a\u00F1o \u20AC");
  EXPECT_EQ(cp1252FromUtf16(L"L\u00EDnea a\u00F1o \u20AC"), "L\xEDnea a\xF1o \x80");
  // No look-alikes: a full-width digit or a Cyrillic a must not pass for ASCII.
  EXPECT_EQ(cp1252FromUtf16(L"\uFF11\u0430"), "??");
}

} // namespace
} // namespace balvix
