#pragma once

#include "platform/platform.h"

#include <string>

namespace balvix {

// The platform of the Windows desktop program. The program directory is that
// of the running executable, held as UTF-16 so that any folder name works;
// paths too long for the classic limit are passed in their long form. The
// folder is held open, sharing no deletion, for the life of the object, so
// that it cannot be renamed or replaced meanwhile and its path keeps naming
// it. Messages are message boxes captioned "Programador" with one OK button,
// and documents are opened by the shell, or their path shown when it cannot.
class Win32Platform : public Platform {
public:
  Win32Platform();
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  std::string commandTail() override;
  void showMessage(std::string_view text) override;
  void openDocument(std::string_view name) override;
  bool exists(std::string_view name) override;
  bool removeFile(std::string_view name) override;
  std::unique_ptr<AppendFile> openForAppend(std::string_view name) override;
  std::optional<std::string> readFile(std::string_view name) override;
  FolderListing listFolder(std::string_view folder) override;
  std::optional<std::string> readFolderFile(std::string_view folder,
                                            const FolderEntry& entry) override;
  bool folderFound() override;
  std::unique_ptr<FolderLock> lockFolder() override;

  // The program directory, ending with a backslash; empty when the system
  // could not tell it.
  const std::wstring& programDirectory() const { return directory_; }

protected:
  // Tells the user where a file is that the shell could not open: its full
  // path in a message box captioned "Programador".
  virtual void tellWhereItIs(const std::wstring& path);

private:
  std::wstring pathOf(std::string_view name) const;
  // The path of the folder `folder` of the program directory when it is a
  // folder itself, not a link; `state` tells what was found.
  std::optional<std::wstring> folderPath(std::string_view folder, FolderListing::State& state);
  // The program directory, ending with a backslash, through which the files
  // of its folders are reached.
  const std::wstring& programFolder() const { return directory_; }

  std::wstring directory_;
  void* folder_; // the folder's handle, held; invalid when not found
};

// The command tail of a command line: what follows the program's name (quoted
// or not) and the blanks after it; trailing blanks are kept.
std::wstring commandTailOf(std::wstring_view commandLine);

} // namespace balvix
