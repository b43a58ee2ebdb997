#include "platform/win32/win32_platform.h"

#include "platform/win32/folder_lock.h"
#include "platform/win32/wide_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cwctype>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

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

bool appendTo(Platform& platform, const std::string& name, std::string_view line) {
  std::unique_ptr<AppendFile> file = platform.openForAppend(name);
  return file && file->write(std::string(line) + "\r\n");
}

// A folder's entries, each with its kind and, read again by its entry, its
// content: a directory is never read, nor is the folder listed when it is a
// file.
TEST(Win32Files, FolderListedAndReadThroughTheFolder) {
  Win32Platform platform;
  const std::string name = "balvix-files-" + std::to_string(GetCurrentProcessId()) + "-escenarios";
  const std::wstring folder = platform.programDirectory() + utf16From1252(name);
  EXPECT_EQ(platform.listFolder(name).state, FolderListing::State::absent);
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  for (const char* file : {"b.txt", "a\xF1o.TXT"}) {
    ASSERT_TRUE(appendTo(platform, name + "\\" + file, file));
  }
  ASSERT_TRUE(CreateDirectoryW((folder + L"\\dir.txt").c_str(), nullptr));

  FolderListing listed = platform.listFolder(name);
  ASSERT_EQ(listed.state, FolderListing::State::listed);
  std::sort(listed.entries.begin(), listed.entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  std::vector<std::string> found;
  for (const FolderEntry& entry : listed.entries) {
    found.push_back(entry.name + (entry.regular ? " file " : " other ") +
                    platform.readFolderFile(name, entry).value_or("-"));
  }
  EXPECT_EQ(found, (std::vector<std::string>{"a\xF1o.TXT file a\xF1o.TXT\r\n",
                                             "b.txt file b.txt\r\n", "dir.txt other -"}));

  RemoveDirectoryW((folder + L"\\dir.txt").c_str());
  for (const char* file : {"b.txt", "a\xF1o.TXT"}) {
    platform.removeFile(name + "\\" + file);
  }
  RemoveDirectoryW(folder.c_str());
  ASSERT_TRUE(appendTo(platform, name, "a file"));
  EXPECT_EQ(platform.listFolder(name).state, FolderListing::State::unreadable);
  platform.removeFile(name);
}

// The files read by name follow a link, as on every system; one that leads
// nowhere is not there. Skipped where the system makes no symbolic links.
TEST(Win32Files, LinksReadByNameAreFollowed) {
  Win32Platform platform;
  const std::string stem = "balvix-link-" + std::to_string(GetCurrentProcessId());
  const std::string target = stem + "-target.txt";
  const std::string link = stem + "-link.txt";
  ASSERT_TRUE(appendTo(platform, target, "x"));
  const std::wstring dir = platform.programDirectory();
  const std::wstring linkPath = dir + utf16From1252(link);
  const bool made = CreateSymbolicLinkW(linkPath.c_str(), (dir + utf16From1252(target)).c_str(),
                                        SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != 0;
  // Where the system itself does not open what its link points to (Wine),
  // there is no rule of ours to check.
  const HANDLE followed = made ? CreateFileW(linkPath.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                             nullptr, OPEN_EXISTING, 0, nullptr)
                               : INVALID_HANDLE_VALUE;
  if (followed == INVALID_HANDLE_VALUE) {
    platform.removeFile(link);
    platform.removeFile(target);
    GTEST_SKIP() << "no symbolic links the system follows here";
  }
  CloseHandle(followed);
  EXPECT_TRUE(platform.exists(link));
  EXPECT_EQ(platform.readFile(link), "x\r\n");
  EXPECT_TRUE(platform.removeFile(target));
  EXPECT_FALSE(platform.exists(link));
  EXPECT_TRUE(platform.removeFile(link));
}

// An old report or log is removed even when it is read-only, hidden and a
// system file; an entry that is a directory is neither removed, written to
// nor read, and a file with a second name, or any file already there, is not
// written to.
TEST(Win32Files, ReadOnlyHiddenSystemFilesAreRemovedOthersNeverWritten) {
  Win32Platform platform;
  const std::string stem = "balvix-files-" + std::to_string(GetCurrentProcessId());
  const std::wstring directory = platform.programDirectory();

  const std::string file = stem + ".txt";
  ASSERT_TRUE(appendTo(platform, file, "old"));
  EXPECT_EQ(platform.openForAppend(file), nullptr) << "created anew only";
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
  EXPECT_EQ(platform.openForAppend(folder), nullptr);
  EXPECT_FALSE(platform.readFile(folder).has_value());
  EXPECT_TRUE(platform.exists(folder));
  RemoveDirectoryW(folderPath.c_str());

  // A file with a second name keeps its read-only attribute and both names:
  // the attribute would change for the other name too.
  const std::string other = stem + ".other.txt";
  ASSERT_TRUE(appendTo(platform, file, "old"));
  const std::wstring otherPath = directory + utf16From1252(other);
  ASSERT_TRUE(CreateHardLinkW(otherPath.c_str(), path.c_str(), nullptr));
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(platform.openForAppend(other), nullptr);
  EXPECT_EQ(platform.readFile(other), "old\r\n");
  EXPECT_FALSE(platform.removeFile(other));
  EXPECT_FALSE(platform.removeFile(file));
  EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY,
            DWORD{FILE_ATTRIBUTE_READONLY});
  EXPECT_TRUE(platform.exists(other));
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(otherPath.c_str());
  DeleteFileW(path.c_str());
}

// An old file that another program holds open, sharing its deletion, is
// waited for a moment: released meanwhile, it is removed; held throughout, it
// is left exactly as it was, read-only still, and not deleted later, when that
// program closes it.
TEST(Win32Files, FileHeldOpenElsewhereIsWaitedForAMoment) {
  Win32Platform platform;
  const std::string name = "balvix-held-" + std::to_string(GetCurrentProcessId()) + ".txt";
  const std::wstring path = platform.programDirectory() + utf16From1252(name);
  struct Case {
    const char* what;
    int heldFor; // milliseconds; below 0, until the removal has given up
    bool removed;
  };
  const Case cases[] = {
      {"held throughout", -1, false},
      {"released after 300 ms", 300, true},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(appendTo(platform, name, "old")) << c.what;
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY)) << c.what;
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE) << c.what;
    std::thread releasing([&] {
      if (c.heldFor >= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(c.heldFor));
        CloseHandle(held);
      }
    });
    EXPECT_EQ(platform.removeFile(name), c.removed) << c.what;
    releasing.join();
    if (c.heldFor < 0) {
      EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY,
                DWORD{FILE_ATTRIBUTE_READONLY})
          << c.what;
      CloseHandle(held);
    }
    EXPECT_EQ(platform.readFile(name),
              c.removed ? std::nullopt : std::optional<std::string>("old\r\n"))
        << c.what;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
  }
}

// Once closed, an output file lets go of its handle: destroying it later
// closes nothing else, so a file opened meanwhile, which may get the same
// handle, stays writable.
TEST(Win32Files, ClosedFileLetsGoOfItsHandle) {
  Win32Platform platform;
  const std::string stem = "balvix-close-" + std::to_string(GetCurrentProcessId());
  const std::string first = stem + ".first.txt";
  const std::string second = stem + ".second.txt";
  std::unique_ptr<AppendFile> file = platform.openForAppend(first);
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(file->write("uno\r\n"));
  EXPECT_TRUE(file->close());
  std::unique_ptr<AppendFile> other = platform.openForAppend(second);
  ASSERT_NE(other, nullptr);
  file.reset();
  EXPECT_TRUE(other->write("dos\r\n"));
  EXPECT_TRUE(other->close());
  other.reset();
  EXPECT_EQ(platform.readFile(second), "dos\r\n");
  EXPECT_TRUE(platform.removeFile(first));
  EXPECT_TRUE(platform.removeFile(second));
}

// An open file keeps receiving what is appended, even when it is renamed and
// another file takes its name meanwhile.
TEST(Win32Files, LinesGoToTheFileOpenedNotToItsName) {
  Win32Platform platform;
  const std::string stem = "balvix-swap-" + std::to_string(GetCurrentProcessId());
  const std::string report = stem + ".txt";
  const std::string moved = stem + ".moved.txt";
  std::unique_ptr<AppendFile> file = platform.openForAppend(report);
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(file->write("uno\r\n"));
  EXPECT_EQ(platform.readFile(report), "uno\r\n");
  const std::wstring directory = platform.programDirectory();
  ASSERT_TRUE(MoveFileW((directory + utf16From1252(report)).c_str(),
                        (directory + utf16From1252(moved)).c_str()));
  ASSERT_TRUE(appendTo(platform, report, "otro"));
  EXPECT_TRUE(file->write("dos\r\n"));
  EXPECT_TRUE(file->close());
  EXPECT_FALSE(file->write("tres\r\n"));
  file.reset();
  EXPECT_EQ(platform.readFile(report), "otro\r\n");
  EXPECT_EQ(platform.readFile(moved), "uno\r\ndos\r\n");
  EXPECT_TRUE(platform.removeFile(report));
  EXPECT_TRUE(platform.removeFile(moved));
}

// The platform with what it would tell of a document it could not open kept
// instead of shown.
class RecordingPlatform : public Win32Platform {
public:
  std::vector<std::wstring> told;

protected:
  void tellWhereItIs(const std::wstring& path) override { told.push_back(path); }
};

// A run always says where its result is: a document the shell cannot open (no
// application for it, a path longer than the shell takes) is told by its
// full path.
TEST(Win32OpenDocument, PathToldWhenTheShellCannotOpenIt) {
  RecordingPlatform platform;
  const std::string stem = "balvix-open-" + std::to_string(GetCurrentProcessId());
  const std::wstring directory = platform.programDirectory();
  struct Case {
    const char* what;
    std::string name;
  };
  const Case cases[] = {
      {"no application for it", stem + ".sin-programa-conocido"},
      {"a path longer than the shell takes",
       stem + std::string(MAX_PATH - directory.size() - stem.size(), 'n') + ".txt"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(appendTo(platform, c.name, "uno")) << c.what;
    platform.told.clear();
    platform.openDocument(c.name);
    EXPECT_EQ(platform.told, std::vector<std::wstring>{directory + utf16From1252(c.name)})
        << c.what;
    EXPECT_TRUE(platform.removeFile(c.name)) << c.what;
  }
}

// The process works in the system's folder for temporary files until this
// goes, then where it was.
class ElsewhereForAWhile {
public:
  ElsewhereForAWhile() {
    wchar_t buffer[MAX_PATH + 1];
    DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, buffer);
    before_.assign(buffer, length <= MAX_PATH ? length : 0);
    length = GetTempPathW(MAX_PATH + 1, buffer);
    EXPECT_TRUE(length > 0 && length <= MAX_PATH && SetCurrentDirectoryW(buffer));
  }
  ~ElsewhereForAWhile() { SetCurrentDirectoryW(before_.c_str()); }
  ElsewhereForAWhile(const ElsewhereForAWhile&) = delete;
  ElsewhereForAWhile& operator=(const ElsewhereForAWhile&) = delete;

private:
  std::wstring before_;
};

// The folder lock is the folder's own and exclusive: while one start holds it,
// the folder's mutex cannot be taken, by any path to the folder, and another
// start waits until it is released; no file is created for it, and replacing
// an entry by rename changes nothing. Another folder has another mutex. The
// folder itself is held: nobody can open it to rename or remove it.
TEST(Win32FolderLock, ExclusiveOnTheFolderItself) {
  Win32Platform platform;
  const std::wstring directory = platform.programDirectory();
  const std::string stem = "balvix-lock-" + std::to_string(GetCurrentProcessId());
  const std::string input = stem + ".config.txt";
  const std::string saved = stem + ".saved.txt";
  ASSERT_TRUE(appendTo(platform, input, "old"));
  std::wstring shouted = directory;
  std::transform(shouted.begin(), shouted.end(), shouted.begin(), [](wchar_t c) {
    return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
  });
  const std::wstring name = folderLockName(directory);
  ASSERT_FALSE(name.empty());
  EXPECT_EQ(folderLockName(shouted), name) << "the same folder in capitals";
  EXPECT_EQ(folderLockName(directory + L"."), name) << "the same folder by another path";
  const std::wstring first = directory + utf16From1252(stem + ".a");
  const std::wstring second = directory + utf16From1252(stem + ".b");
  ASSERT_TRUE(CreateDirectoryW(first.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(second.c_str(), nullptr));
  EXPECT_NE(folderLockName(first), folderLockName(second)) << "two folders, one mutex";
  RemoveDirectoryW(first.c_str());
  RemoveDirectoryW(second.c_str());
  {
    // Asked from another working directory: the process's own handle on its
    // working directory shares no deletion either, and would refuse the
    // rename whatever the folder's handle shares.
    const ElsewhereForAWhile elsewhere;
    HANDLE renaming = CreateFileW(directory.c_str(), DELETE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    EXPECT_EQ(renaming, INVALID_HANDLE_VALUE) << "the folder could be renamed";
    if (renaming != INVALID_HANDLE_VALUE) {
      CloseHandle(renaming);
    }
  }

  std::unique_ptr<FolderLock> lock = platform.lockFolder();
  ASSERT_NE(lock, nullptr);
  ASSERT_TRUE(appendTo(platform, saved, "new"));
  ASSERT_TRUE(MoveFileExW((directory + utf16From1252(saved)).c_str(),
                          (directory + utf16From1252(input)).c_str(), MOVEFILE_REPLACE_EXISTING));

  std::atomic<bool> free{true};
  std::thread([&] {
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, name.c_str());
    free = mutex == nullptr || WaitForSingleObject(mutex, 0) != WAIT_TIMEOUT;
    if (mutex != nullptr) {
      CloseHandle(mutex);
    }
  }).join();
  EXPECT_FALSE(free) << "the folder's mutex could be taken meanwhile";

  std::atomic<bool> taken{false};
  std::thread other([&] {
    Win32Platform second;
    std::unique_ptr<FolderLock> waited = second.lockFolder();
    taken = waited != nullptr;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(taken) << "another start did not wait";
  lock.reset();
  other.join();
  EXPECT_TRUE(taken) << "another start got the folder once it was released";
  EXPECT_TRUE(platform.removeFile(input));
  EXPECT_FALSE(platform.exists(saved));
}

} // namespace
} // namespace balvix
