#include "platform/posix/posix_platform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
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

// An old report or log is removed whatever its permissions; an entry that is a
// directory is neither removed nor written to.
TEST(PosixFiles, ReadOnlyFilesAreRemovedDirectoriesNever) {
  std::string argument = "balvix";
  std::vector<char*> argv = {argument.data()};
  PosixPlatform platform(1, argv.data());
  const std::string stem = "balvix-files-" + std::to_string(::getpid());
  const std::filesystem::path directory = platform.programDirectory();

  const std::string file = stem + ".txt";
  ASSERT_TRUE(platform.appendLine(file, "old"));
  std::filesystem::permissions(directory / file, std::filesystem::perms::owner_read);
  EXPECT_TRUE(platform.removeFile(file));
  EXPECT_FALSE(platform.exists(file));
  EXPECT_TRUE(platform.removeFile(file)) << "nothing to remove is no failure";

  const std::string folder = stem + ".dir.txt";
  std::filesystem::create_directory(directory / folder);
  EXPECT_FALSE(platform.removeFile(folder));
  EXPECT_FALSE(platform.appendLine(folder, "line"));
  EXPECT_TRUE(std::filesystem::is_directory(directory / folder));
  std::filesystem::remove(directory / folder);
}

} // namespace
} // namespace balvix
