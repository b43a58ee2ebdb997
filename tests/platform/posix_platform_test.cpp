#include "platform/posix/posix_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace balvix {
namespace {

TEST(PosixCommandTail, ArgumentsJoinedBySingleBlanks) {
  struct Case {
    std::vector<std::string> args;
    std::string tail;
  };
  const Case cases[] = {
      {{}, ""},
      {{"int"}, "int"},
      {{"12/09/2013", "x"}, "12/09/2013 x"},
      {{"a\xC3\xB1o"}, "a\xF1o"},
      {{""}, ""},
  };
  for (const auto& c : cases) {
    std::vector<std::string> storage = {"balvix"};
    storage.insert(storage.end(), c.args.begin(), c.args.end());
    std::vector<char*> argv;
    for (auto& s : storage) {
      argv.push_back(s.data());
    }
    PosixPlatform platform(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(platform.commandTail(), c.tail);
    EXPECT_EQ(platform.programDirectory().back(), '/');
  }
}

namespace fs = std::filesystem;

// A platform of the test program's own directory, and names of entries there
// that belong to this process; they are removed again with the object.
struct Folder {
  Folder() : platform(1, argv.data()), directory(platform.programDirectory()) {}
  ~Folder() {
    for (const std::string& name : names) {
      std::error_code ec;
      fs::remove_all(directory / name, ec);
    }
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  std::string name(const std::string& what) {
    names.push_back("balvix-files-" + std::to_string(::getpid()) + "-" + what);
    return names.back();
  }
  std::string bytes(const std::string& name) {
    return platform.readFile(name).value_or("(unreadable)");
  }

  std::string argument = "balvix";
  std::vector<char*> argv = {argument.data()};
  PosixPlatform platform;
  fs::path directory;
  std::vector<std::string> names;
};

bool appendTo(Platform& platform, const std::string& name, std::string_view line) {
  std::unique_ptr<AppendFile> file = platform.openForAppend(name);
  return file && file->write(std::string(line) + "\r\n");
}

// Bytes go in as they are, until the file is closed.
TEST(PosixFiles, LinesUntilTheFileIsClosed) {
  Folder folder;
  const std::string name = folder.name("closed.txt");
  std::unique_ptr<AppendFile> file = folder.platform.openForAppend(name);
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(file->write("uno\r\n\r\n"));
  EXPECT_TRUE(file->write("dos"));
  EXPECT_TRUE(file->close());
  EXPECT_FALSE(file->write("tres\r\n"));
  EXPECT_EQ(folder.bytes(name), "uno\r\n\r\ndos");
}

// The descriptor the process holds open on a file of the folder.
int descriptorOf(const fs::path& file) {
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
    std::error_code ec;
    if (fs::read_symlink(entry.path(), ec) == file) {
      return std::stoi(entry.path().filename().string());
    }
  }
  return -1;
}

// Closing tells whether the system kept everything written: a close that
// fails (injected by closing the descriptor behind the file's back) is told.
// Once closed, the file lets go of its descriptor: destroying it later closes
// nothing else, so a file opened meanwhile, which may get the same descriptor,
// stays writable.
TEST(PosixFiles, CloseIsToldAndLetsGoOfTheDescriptor) {
  struct Case {
    const char* what;
    bool closeFails;
  };
  for (const Case& c : {Case{"a close that succeeds", false}, Case{"a failed close", true}}) {
    Folder folder;
    const std::string first = folder.name("first.txt");
    const std::string second = folder.name("second.txt");
    std::unique_ptr<AppendFile> file = folder.platform.openForAppend(first);
    ASSERT_NE(file, nullptr) << c.what;
    ASSERT_TRUE(file->write("uno\r\n")) << c.what;
    if (c.closeFails) {
      const int fd = descriptorOf(folder.directory / first);
      ASSERT_GE(fd, 0) << c.what;
      ::close(fd);
    }
    EXPECT_EQ(file->close(), !c.closeFails) << c.what;
    std::unique_ptr<AppendFile> other = folder.platform.openForAppend(second);
    ASSERT_NE(other, nullptr) << c.what;
    file.reset();
    EXPECT_TRUE(other->write("dos\r\n")) << c.what;
    EXPECT_TRUE(other->close()) << c.what;
    EXPECT_EQ(folder.bytes(second), "dos\r\n") << c.what;
  }
}

// An old report or log is removed whatever its permissions; an entry that is a
// directory is neither removed nor written to.
TEST(PosixFiles, ReadOnlyFilesAreRemovedDirectoriesNever) {
  Folder folder;
  const std::string file = folder.name("file.txt");
  ASSERT_TRUE(appendTo(folder.platform, file, "old"));
  fs::permissions(folder.directory / file, fs::perms::owner_read);
  EXPECT_TRUE(folder.platform.removeFile(file));
  EXPECT_FALSE(folder.platform.exists(file));
  EXPECT_TRUE(folder.platform.removeFile(file)) << "nothing to remove is no failure";

  const std::string directory = folder.name("dir.txt");
  fs::create_directory(folder.directory / directory);
  EXPECT_FALSE(folder.platform.removeFile(directory));
  EXPECT_EQ(folder.platform.openForAppend(directory), nullptr);
  EXPECT_TRUE(fs::is_directory(folder.directory / directory));
}

// Lines are written only into a file the platform creates; whatever bears the
// name already is refused at once and left as it is. Inputs are read only
// from regular files, and never waited on. A link is removed as a link; a
// directory, a pipe, a socket or a file with a second name is not removed.
TEST(PosixFiles, OnlyRegularFilesAreWrittenAndRead) {
  Folder folder;
  const std::string outside = folder.name("outside.txt");
  ASSERT_TRUE(appendTo(folder.platform, outside, "outside"));
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> make;
    bool readable;
    bool removable;
  };
  const Case cases[] = {
      {"a link to a file",
       [&](const fs::path& p) { fs::create_symlink(folder.directory / outside, p); }, true, true},
      {"a link to nothing", [&](const fs::path& p) { fs::create_symlink(p.string() + ".new", p); },
       false, true},
      {"a second name of a file",
       [&](const fs::path& p) { fs::create_hard_link(folder.directory / outside, p); }, true,
       false},
      {"a directory", [](const fs::path& p) { fs::create_directory(p); }, false, false},
      {"a pipe", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, false, false},
      {"a socket", [](const fs::path& p) { ASSERT_EQ(::mknod(p.c_str(), S_IFSOCK | 0600, 0), 0); },
       false, false},
      {"a file already there", [](const fs::path& p) { std::ofstream(p) << "mine"; }, true, true},
  };
  fs::permissions(folder.directory / outside, fs::perms::owner_read);
  for (const Case& c : cases) {
    const std::string name = folder.name(std::string(c.what).substr(2) + ".txt");
    c.make(folder.directory / name);
    EXPECT_EQ(folder.platform.openForAppend(name), nullptr) << c.what;
    EXPECT_EQ(folder.platform.readFile(name).has_value(), c.readable) << c.what;
    EXPECT_FALSE(fs::exists(folder.directory / (name + ".new"))) << c.what;
    EXPECT_EQ(folder.platform.removeFile(name), c.removable) << c.what;
    EXPECT_EQ(fs::exists(fs::symlink_status(folder.directory / name)), !c.removable) << c.what;
  }
  EXPECT_EQ(folder.bytes(outside), "outside\r\n");
  EXPECT_EQ(fs::status(folder.directory / outside).permissions(), fs::perms::owner_read);
  EXPECT_EQ(fs::hard_link_count(folder.directory / outside), 2u);
}

// The platform with what it would tell of a document it could not open kept
// instead of written.
class RecordingPlatform : public PosixPlatform {
public:
  using PosixPlatform::PosixPlatform;
  std::vector<std::string> told;

protected:
  void tellWhereItIs(const std::string& path) override { told.push_back(path); }
};

// An environment variable set for the time of a test, and put back after.
class Setting {
public:
  Setting(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) {
      old_ = old;
    }
    ::setenv(name, value.c_str(), 1);
  }
  ~Setting() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  Setting(const Setting&) = delete;
  Setting& operator=(const Setting&) = delete;

private:
  const char* name_;
  std::optional<std::string> old_;
};

// A run always says where its result is: a document that cannot be opened
// for the user (no display, no opener, an opener that fails or dies) is told
// by its full path; one the opener takes is not. A link is neither opened nor
// told.
TEST(PosixOpenDocument, PathToldWhenTheFileCannotBeOpened) {
  Folder folder;
  const std::string report = folder.name("report.txt");
  ASSERT_TRUE(appendTo(folder.platform, report, "uno"));
  const std::string path = (folder.directory / report).string();
  const std::string link = folder.name("link.txt");
  fs::create_symlink(path, folder.directory / link);
  struct Case {
    const char* what;
    const char* display;
    const char* opener; // the opener's script; none when null
    bool told;
    bool throughLink = false;
  };
  const Case cases[] = {
      {"no display", "", "exit 0", true},
      {"no opener", ":0", nullptr, true},
      {"the opener fails", ":0", "exit 3", true},
      {"the opener dies", ":0", "kill -9 $$", true},
      {"the opener shows it", ":0", "exit 0", false},
      {"a link to the file", "", "exit 0", false, true},
  };
  int binNumber = 0;
  for (const Case& c : cases) {
    const fs::path bin = folder.directory / folder.name("bin" + std::to_string(++binNumber));
    fs::create_directories(bin);
    const fs::path got = bin / "got";
    if (c.opener != nullptr) {
      std::ofstream(bin / "xdg-open")
          << "#!/bin/sh\nprintf '%s' \"$1\" > '" << got.string() << "'\n"
          << c.opener << "\n";
      fs::permissions(bin / "xdg-open", fs::perms::owner_all);
    }
    Setting display("DISPLAY", c.display);
    Setting wayland("WAYLAND_DISPLAY", "");
    Setting searched("PATH", bin.string());
    RecordingPlatform platform(1, folder.argv.data());
    platform.openDocument(c.throughLink ? link : report);
    EXPECT_EQ(platform.told, c.told ? std::vector<std::string>{path} : std::vector<std::string>{})
        << c.what;
    if (c.opener != nullptr && *c.display != '\0') {
      std::ifstream in(got);
      std::string handed((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      EXPECT_EQ(handed, path) << c.what << ": the opener was given the file";
    }
  }
}

// A folder's entries, each with its kind and, read again by its entry, its
// content: a directory, a pipe or a link is never read (a pipe without a
// writer would hold the start for ever), nor is the folder itself reached
// through a link or when it is a file. The files read by name follow a link,
// as on every system; one that leads nowhere is not there.
TEST(PosixFiles, FolderListedAndReadThroughTheFolder) {
  Folder folder;
  const std::string name = folder.name("escenarios");
  EXPECT_EQ(folder.platform.listFolder(name).state, FolderListing::State::absent);
  const fs::path dir = folder.directory / name;
  fs::create_directory(dir);
  for (const char* file : {"b.txt", "outside"}) {
    std::ofstream(dir / file) << file;
  }
  fs::create_directory(dir / "dir.txt");
  fs::create_symlink(dir / "outside", dir / "link.txt");
  ASSERT_EQ(::mkfifo((dir / "pipe.txt").c_str(), 0600), 0);

  FolderListing listed = folder.platform.listFolder(name);
  ASSERT_EQ(listed.state, FolderListing::State::listed);
  std::sort(listed.entries.begin(), listed.entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  std::vector<std::string> found;
  for (const FolderEntry& entry : listed.entries) {
    found.push_back(entry.name + (entry.regular ? " file " : " other ") +
                    folder.platform.readFolderFile(name, entry).value_or("-"));
  }
  EXPECT_EQ(found,
            (std::vector<std::string>{"b.txt file b.txt", "dir.txt other -", "link.txt other -",
                                      "outside file outside", "pipe.txt other -"}));

  const std::string link = folder.name("enlace");
  fs::create_directory_symlink(dir, folder.directory / link);
  const std::string plain = folder.name("fichero");
  std::ofstream(folder.directory / plain) << "x";
  for (const std::string& other : {link, plain}) {
    EXPECT_EQ(folder.platform.listFolder(other).state, FolderListing::State::unreadable) << other;
    EXPECT_FALSE(folder.platform.readFolderFile(other, {"b.txt", "b.txt", true})) << other;
  }

  const std::string linked = folder.name("enlazado.txt");
  fs::create_symlink(dir / "b.txt", folder.directory / linked);
  EXPECT_TRUE(folder.platform.exists(linked));
  EXPECT_EQ(folder.platform.readFile(linked), "b.txt");
  const std::string dangling = folder.name("roto.txt");
  fs::create_symlink(dir / "nada", folder.directory / dangling);
  EXPECT_FALSE(folder.platform.exists(dangling));
  EXPECT_FALSE(folder.platform.readFile(dangling));
}

// The folder lock is the folder's own and exclusive: while one start holds it,
// no other lock of either kind can be taken on the folder, and another start
// waits until it is released; no file is created for it, and replacing an
// entry by rename changes nothing.
TEST(PosixFolderLock, ExclusiveOnTheFolderItself) {
  Folder folder;
  const std::string input = folder.name("config.txt");
  ASSERT_TRUE(appendTo(folder.platform, input, "old"));
  // The entries of the folder, but those of other test processes running
  // meanwhile.
  const std::string others = "balvix-files-";
  const std::string ours = others + std::to_string(::getpid()) + "-";
  const auto entries = [&] {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.directory)) {
      const std::string name = entry.path().filename().string();
      if (!name.starts_with(others) || name.starts_with(ours)) {
        names.push_back(name);
      }
    }
    std::sort(names.begin(), names.end());
    return names;
  };
  const std::vector<std::string> before = entries();
  std::unique_ptr<FolderLock> lock = folder.platform.lockFolder();
  ASSERT_NE(lock, nullptr);

  // An editor's save: the file replaced by another one, by rename.
  const std::string saved = folder.name("saved.txt");
  ASSERT_TRUE(appendTo(folder.platform, saved, "new"));
  fs::rename(folder.directory / saved, folder.directory / input);

  struct Attempt {
    const char* what;
    int operation;
  };
  for (const Attempt& a :
       {Attempt{"exclusive", LOCK_EX | LOCK_NB}, Attempt{"shared", LOCK_SH | LOCK_NB}}) {
    const int fd = ::open(folder.directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    EXPECT_NE(::flock(fd, a.operation), 0) << a.what;
    ::close(fd);
  }

  std::atomic<bool> taken{false};
  std::thread other([&] {
    PosixPlatform second(1, folder.argv.data());
    std::unique_ptr<FolderLock> waited = second.lockFolder();
    taken = waited != nullptr;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(taken) << "another start did not wait";
  EXPECT_EQ(entries(), before) << "no entry made for the lock";
  lock.reset();
  other.join();
  EXPECT_TRUE(taken) << "another start got the folder once it was released";
}

} // namespace
} // namespace balvix
