#pragma once

#include "platform/platform.h"

#include <string>

namespace balvix {

// The platform of a terminal program on a POSIX system. The program directory
// is the directory of the running executable; messages go to standard output
// as UTF-8; a document is handed to the desktop's opener in a graphical
// session, and its path is written to standard output when there is none or
// the opener fails.
class PosixPlatform : public Platform {
public:
  // `argv` as main received it: the arguments form the command tail, and
  // argv[0] locates the program when the system cannot say where it is.
  PosixPlatform(int argc, char** argv);
  ~PosixPlatform() override;
  PosixPlatform(const PosixPlatform&) = delete;
  PosixPlatform& operator=(const PosixPlatform&) = delete;

  std::string commandTail() override { return tail_; }
  void showMessage(std::string_view text) override;
  void openDocument(std::string_view name) override;
  bool exists(std::string_view name) override;
  bool removeFile(std::string_view name) override;
  std::unique_ptr<OutputFile> openForAppend(std::string_view name) override;
  std::optional<std::string> readFile(std::string_view name) override;
  TextFolder readTextFolder(std::string_view folder, std::size_t mostRead) override;
  std::unique_ptr<FolderLock> lockFolder() override;

  // The program directory, ending with "/".
  const std::string& programDirectory() const { return directory_; }

protected:
  // Tells the user where a file is that could not be opened for them: its
  // full path (UTF-8) as a line of its own on standard output.
  virtual void tellWhereItIs(const std::string& path);

private:
  std::string pathOf(std::string_view name) const;
  // The program directory, open: the files of its folders are reached
  // through it. -1 when it cannot be opened.
  int programFolder();

  std::string directory_;
  std::string tail_;
  int folder_ = -1; // programFolder's descriptor, once opened
};

} // namespace balvix
