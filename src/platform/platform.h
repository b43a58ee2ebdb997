#pragma once

#include "platform/folder_listing.h"
#include "text/cp1252.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace balvix {

// A file of the program directory open for appending. What is appended is
// gathered in memory and written in blocks: one write for each full block of
// blockSize bytes, and what is left at flush() or close(). The room for one
// block is made once, at the first append; memory does not grow with the
// file. A file put in this one's place while it is open receives nothing:
// the writes go to the file that was opened.
class OutputFile {
public:
  static constexpr std::size_t blockSize = 65536;

  virtual ~OutputFile() = default;
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Appends the bytes (lines that already end with their line end), as they
  // are, at the end of the file. False when a block written meanwhile could
  // not be written whole: its bytes are lost, and the bytes after them are
  // still written. std::bad_alloc when there is no memory for the block.
  bool append(std::string_view bytes) {
    if (bytes.size() < blockSize - used_ && block_) {
      // The bytes fit in the block gathered so far, with room to spare.
      std::copy(bytes.begin(), bytes.end(), block_->data() + used_);
      used_ += bytes.size();
      return true;
    }
    return appendAcrossBlocks(bytes);
  }

  // Room for `size` bytes right after what is gathered, for the caller to
  // fill and keep with added(size) before any other call; nothing when what
  // is left of the block is not larger (append() the bytes then).
  char* room(std::size_t size) {
    return block_ && size < blockSize - used_ ? block_->data() + used_ : nullptr;
  }
  void added(std::size_t size) { used_ += size; }

  // Appends the line and CR LF.
  bool appendLine(std::string_view line) {
    const bool whole = append(line);
    return append("\r\n") && whole;
  }

  // Writes what is gathered, so that it is in the file when this returns.
  // False when it could not be written whole; it is lost then.
  bool flush() {
    if (used_ == 0) {
      return true;
    }
    const bool whole = write({block_->data(), used_});
    used_ = 0;
    return whole;
  }

  // Writes what is gathered and closes the file. False when that could not
  // be written whole, or when the system tells that what was written may not
  // all be in it (some file systems tell a failed write only then). Nothing
  // can be appended afterwards. An implementation closes the file when it
  // goes in any case, what is gathered written first.
  bool close() {
    if (closed_) {
      return true;
    }
    const bool whole = flush();
    closed_ = true;
    block_.reset();
    return closeFile() && whole;
  }

protected:
  // Writes the bytes at the end of the file; true when they were written
  // whole.
  virtual bool write(std::string_view bytes) = 0;
  // Closes the file; false when the system reports the close as failed.
  virtual bool closeFile() = 0;
  using Block = std::array<char, blockSize>;
  // The room for one block (std::bad_alloc when there is no memory for it),
  // left unfilled: its bytes are written before they are read. (The new
  // expression, since std::make_unique_for_overwrite is not in every standard
  // library yet: LLVM's libc++ 14 lacks it.)
  virtual std::unique_ptr<Block> newBlock() {
    return std::unique_ptr<Block>(new Block); // NOLINT(modernize-make-unique)
  }

private:
  // append() for bytes that fill the block gathered so far, or more.
  bool appendAcrossBlocks(std::string_view bytes) {
    if (closed_) {
      return false;
    }
    if (!block_) {
      block_ = newBlock();
    }
    bool whole = true;
    while (!bytes.empty()) {
      if (used_ == 0 && bytes.size() >= blockSize) {
        // A whole block of the caller's bytes goes out as it is.
        whole = write(bytes.substr(0, blockSize)) && whole;
        bytes.remove_prefix(blockSize);
        continue;
      }
      const std::size_t taken = std::min(blockSize - used_, bytes.size());
      std::copy_n(bytes.begin(), taken, block_->data() + used_);
      used_ += taken;
      bytes.remove_prefix(taken);
      if (used_ == blockSize) {
        whole = flush() && whole;
      }
    }
    return whole;
  }

  std::unique_ptr<Block> block_; // none until the first append, and once closed
  std::size_t used_ = 0;         // the bytes gathered in it
  bool closed_ = false;
};

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
  // appending. Nothing when it cannot be created, and in particular when any
  // entry of that name is there already (a file put there since an old one
  // was removed, a link, a directory, a pipe): that entry is left alone.
  virtual std::unique_ptr<OutputFile> openForAppend(std::string_view name) = 0;

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
