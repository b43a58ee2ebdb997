#pragma once

#include "platform/folder_listing.h"
#include "text/append_file.h"
#include "text/cp1252.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace balvix {

// The exclusive right to write the files of the program directory, held until
// the object goes. Another start of the program in the same directory waits
// for it.
class FolderLock {
public:
  virtual ~FolderLock() = default;
  FolderLock() = default;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
};

// The character between a folder's name and a file's name in the paths the
// user reads: "\" on Windows, "/" elsewhere.
#if defined(_WIN32)
inline constexpr char pathSeparator = '\\';
#else
inline constexpr char pathSeparator = '/';
#endif

// Everything the program asks of the operating system. The logic never sees a
// path: every file it touches lies in the program directory (the directory of
// the running executable, as the system tells it, never a guess nor the
// working directory) and is named by a plain file name such as "config.txt".
// The directory is held from the start: a folder moved, or another put at its
// path, while the program runs redirects nothing. All texts that cross this
// interface are Windows-1252 bytes, exactly as the files hold them; an
// implementation converts them where the system needs another encoding.
//
// Links are the same on every system. The files the program reads by name
// (exists, readFile) may be links: they are followed to what they point to.
// The entries of a folder (listFolder, readFolderFile) are never followed: a
// link there is an entry of another kind, never read. Nothing is written or
// removed through a link: openForAppend refuses an entry of the name, and
// removeFile removes a link itself.
//
// Failures are values: nothing here throws or ends the process.
class Platform {
public:
  virtual ~Platform() = default;

  // The program's command-line argument text: on Windows the command tail
  // after the program's name, with the blanks that follow the name removed;
  // elsewhere the arguments joined by single blanks. Characters that have no
  // Windows-1252 byte come out as "?".
  virtual std::string commandTail() = 0;

  // Shows a message to the user (lines separated by CR LF) and returns once
  // the user has seen it: a message box with the caption "Programador" and one
  // OK button on Windows, a text on standard output elsewhere.
  virtual void showMessage(std::string_view text) = 0;

  // Hands the named file of the program directory to the user, the way the
  // system opens a document with its associated application, when it is a
  // regular file (not a directory, a device or a link) and the folder can
  // still be named by a path. When the system
  // cannot open it (no application for it, a path longer than the shell
  // takes, an opener that cannot start or reports failure, no display), the
  // user is told the file's full path instead, so that a run always says
  // where its result is.
  virtual void openDocument(std::string_view name) = 0;

  // True when an entry of that name (a file or a directory, or a link to
  // one) can be found in the program directory.
  virtual bool exists(std::string_view name) = 0;

  // Removes the named file of the program directory even when it is
  // read-only, hidden or a system file. Only a regular file is removed, or a
  // link of that name itself, never what it points to: never a directory, a
  // pipe, a socket or a device, nor a file that has other names too (hard
  // links), whose attributes the other names share. A file another program
  // holds open is waited for a moment; when it cannot go, it stays exactly
  // as it was. True when no such entry is left.
  virtual bool removeFile(std::string_view name) = 0;

  // Creates the named file of the program directory and opens it for
  // appending: its writes go to the file that was opened, whatever is put at
  // its name meanwhile. Nothing when it cannot be created, and in particular
  // when any entry of that name is there already (a file put there since an
  // old one was removed, a link, a directory, a pipe): that entry is left
  // alone.
  virtual std::unique_ptr<AppendFile> openForAppend(std::string_view name) = 0;

  // The whole content of the named file of the program directory, or nothing
  // when it cannot be opened or read or is not a regular file (a pipe, a
  // device or a directory is never waited on).
  virtual std::optional<std::string> readFile(std::string_view name) = 0;

  // The entries of the program directory's folder `folder`, reached through
  // the program directory itself, never through a link; nothing is ever
  // written in it.
  virtual FolderListing listFolder(std::string_view folder) = 0;

  // The whole content of an entry listFolder found in `folder`, or nothing
  // when it is no longer a regular file itself or cannot be read.
  virtual std::optional<std::string> readFolderFile(std::string_view folder,
                                                    const FolderEntry& entry) = 0;

  // True when the system told where the running executable is and its
  // folder is held; otherwise no file operation here touches anything.
  virtual bool folderFound() = 0;

  // Locks the program directory against other starts of the program, waiting
  // while another start holds it. The lock belongs to the directory itself,
  // not to a file in it: replacing or removing any entry meanwhile lets no
  // other start in, and no file is created for it. Nothing when the lock
  // cannot be taken at all (no folder found, a folder that the system can
  // lock only when it may list it, no handle left): the start must then
  // write nothing.
  virtual std::unique_ptr<FolderLock> lockFolder() = 0;
};

} // namespace balvix
