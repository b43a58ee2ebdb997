#pragma once

#include "platform/platform.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace balvix::testing {

// A platform whose program directory is a fresh temporary directory, removed
// again with the object. Files are real files there; messages and open
// requests are recorded instead of shown; faults can be injected.
class FakePlatform : public Platform {
public:
  FakePlatform();
  ~FakePlatform() override;
  FakePlatform(const FakePlatform&) = delete;
  FakePlatform& operator=(const FakePlatform&) = delete;

  std::string commandTail() override { return tail; }
  void showMessage(std::string_view text) override;
  void openDocument(std::string_view name) override;
  bool exists(std::string_view name) override;
  bool removeFile(std::string_view name) override;
  std::unique_ptr<AppendFile> openForAppend(std::string_view name) override;
  std::optional<std::string> readFile(std::string_view name) override;
  FolderListing listFolder(std::string_view folder) override;
  std::optional<std::string> readFolderFile(std::string_view folder,
                                            const FolderEntry& entry) override;
  bool folderFound() override { return !folderMissing; }
  std::unique_ptr<FolderLock> lockFolder() override;

  const std::filesystem::path& directory() const { return dir_; }
  std::filesystem::path pathOf(std::string_view name) const;

  // Writes a file of the program directory with exactly these bytes; a name
  // such as "escenarios/coche.txt" writes into that folder, made if need be.
  void writeFile(std::string_view name, std::string_view bytes);
  // Takes away every write permission of a file of the program directory.
  void makeReadOnly(std::string_view name) const;
  // The bytes of a file of the program directory, or nothing when absent.
  std::optional<std::string> fileBytes(std::string_view name) const;
  // The names of the entries of the program directory, sorted.
  std::vector<std::string> listing() const;

  std::string tail;                  // what commandTail answers
  std::vector<std::string> messages; // every message shown, in order
  std::vector<std::string> opened;   // every name handed to openDocument

  // The folder lock: how many times it was taken, whether it is held now,
  // and what went on in the wrong state: messages shown or documents opened
  // while it was held, files removed or opened for writing while it was not.
  std::size_t locksTaken = 0;
  bool locked = false;
  std::size_t toldWhileLocked = 0;
  std::size_t writtenUnlocked = 0;

  // The size of each write to each file of the program directory, in order.
  std::map<std::string, std::vector<std::size_t>> writes;

  // Injected faults. writeFails is asked before each write to a file (its
  // name and how many writes to it came before) and makes it fail when true.
  std::function<bool(std::string_view name, std::size_t writesBefore)> writeFails;
  bool removeFails = false;
  bool closeFails = false; // an output file's close tells of a lost write
  std::string unreadable;  // the file of this name cannot be read
  // A program directory whose entries cannot be created or removed: appends
  // to a file that is not there fail, and no removal succeeds.
  bool readOnlyDirectory = false;
  // The system cannot tell where the program is; the folder cannot be locked.
  bool folderMissing = false;
  bool lockRefused = false;
  // Another program puts a file of that name in place as soon as the old one
  // is removed.
  std::string appearsAfterRemoval;

  // Memory running out: in the first write to the file that memoryRunsOut
  // names, in the read of the file named readRunsOutOfMemory, or in the
  // opening of the file named openRunsOutOfMemory; std::bad_alloc is thrown
  // there, as an allocation of the program's while it writes, reads or opens
  // the file would.
  std::function<bool(std::string_view name)> memoryRunsOut;
  std::string readRunsOutOfMemory;
  std::string openRunsOutOfMemory;

  // Called by the open files: one more write of `size` bytes to `name`;
  // false when it is to fail.
  bool writeAllowed(std::string_view name, std::size_t size);

private:
  void noteWrite();

  std::filesystem::path dir_;
};

} // namespace balvix::testing
