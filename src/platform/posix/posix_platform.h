#pragma once

#include "platform/platform.h"

#include <string>

namespace balvix {

// The platform of a terminal program on a POSIX system. The program directory
// is the directory of the running executable, as the system tells it, opened
// once: every file is reached through that descriptor, wherever the folder
// is moved meanwhile. Messages go to standard output as UTF-8; a document is
// handed to the desktop's opener in a graphical session, and its path is
// written to standard output when there is none or the opener fails.
class PosixPlatform : public Platform {
public:
  // `argv` as main received it: the arguments form the command tail. The
  // process ignores SIGPIPE and SIGXFSZ from now on, so that a write to a
  // pipe without a reader, or beyond the file size limit, fails as a write.
  PosixPlatform(int argc, char** argv);
  ~PosixPlatform() override;
  PosixPlatform(const PosixPlatform&) = delete;
  PosixPlatform& operator=(const PosixPlatform&) = delete;

  std::string commandTail() override { return tail_; }
  void showMessage(std::string_view text) override;
  void openDocument(std::string_view name) override;
  bool exists(std::string_view name) override;
  bool removeFile(std::string_view name) override;
  std::unique_ptr<AppendFile> openForAppend(std::string_view name) override;
  std::optional<std::string> readFile(std::string_view name) override;
  FolderListing listFolder(std::string_view folder) override;
  std::optional<std::string> readFolderFile(std::string_view folder,
                                            const FolderEntry& entry) override;
  bool folderFound() override { return folder_ >= 0; }
  std::unique_ptr<FolderLock> lockFolder() override;

  // The program directory as it was found, ending with "/"; empty when the
  // system could not tell it.
  const std::string& programDirectory() const { return directory_; }

protected:
  // Tells the user where a file is that could not be opened for them: its
  // full path (UTF-8) as a line of its own on standard output.
  virtual void tellWhereItIs(const std::string& path);

private:
  // A name of the folder as the system takes it (UTF-8).
  static std::string nameOf(std::string_view name);
  // The full path of a file of the folder held, where the folder is now;
  // empty when no path leads to it.
  std::string currentPathOf(std::string_view name) const;
  // A new descriptor of the folder `folder` of the folder held, opened as a
  // folder and never through a link; -1 (errno set) when it cannot be.
  int openFolder(std::string_view folder) const;

  std::string directory_;
  int folder_ = -1; // the folder's descriptor; -1 when it was not found
  std::string tail_;
};

} // namespace balvix
