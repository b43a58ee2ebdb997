#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace balvix {

// Everything the program asks of the operating system. The logic never sees a
// path: every file it touches lies in the program directory (the directory of
// the running executable, never the working directory) and is named by a plain
// file name such as "config.txt". All texts that cross this interface are
// Windows-1252 bytes, exactly as the files hold them; an implementation
// converts them where the system needs another encoding.
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
  // system opens a document with its associated application. The outcome is
  // not reported: the file stays on disk whatever happens.
  virtual void openDocument(std::string_view name) = 0;

  // True when an entry of that name (a file or a directory) can be found in
  // the program directory.
  virtual bool exists(std::string_view name) = 0;

  // Removes the named file of the program directory even when it is
  // read-only, hidden or a system file. True when no such file is left.
  virtual bool removeFile(std::string_view name) = 0;

  // Appends the line and CR LF to the named file of the program directory,
  // creating the file when it is absent. The file is opened and closed by
  // this one call, so the line is on disk when it returns. False when the
  // line could not be written whole.
  virtual bool appendLine(std::string_view name, std::string_view line) = 0;

  // The whole content of the named file of the program directory, or nothing
  // when it cannot be opened or read.
  virtual std::optional<std::string> readFile(std::string_view name) = 0;
};

} // namespace balvix
