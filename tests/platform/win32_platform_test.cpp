#include "platform/win32/win32_platform.h"

#include <gtest/gtest.h>

#include <string>

#include <windows.h>

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

// An old report or log is removed even when it is read-only, hidden and a
// system file; an entry that is a directory is neither removed nor written to.
TEST(Win32Files, ReadOnlyHiddenSystemFilesAreRemovedDirectoriesNever) {
  Win32Platform platform;
  const std::string stem = "balvix-files-" + std::to_string(GetCurrentProcessId());
  const std::wstring directory = platform.programDirectory();

  const std::string file = stem + ".txt";
  ASSERT_TRUE(platform.appendLine(file, "old"));
  const std::wstring path = directory + utf16From1252(file);
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                   FILE_ATTRIBUTE_SYSTEM));
  EXPECT_TRUE(platform.removeFile(file));
  EXPECT_FALSE(platform.exists(file));
  EXPECT_TRUE(platform.removeFile(file)) << "nothing to remove is no failure";

  const std::string folder = stem + ".dir.txt";
  const std::wstring folderPath = directory + utf16From1252(folder);
  ASSERT_TRUE(CreateDirectoryW(folderPath.c_str(), nullptr));
  EXPECT_FALSE(platform.removeFile(folder));
  EXPECT_FALSE(platform.appendLine(folder, "line"));
  EXPECT_TRUE(platform.exists(folder));
  RemoveDirectoryW(folderPath.c_str());
}

} // namespace
} // namespace balvix
