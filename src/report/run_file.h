#pragma once

#include "platform/platform.h"
#include "text/output_file.h"

#include <optional>
#include <string>
#include <string_view>

namespace balvix {

// The file one run writes for the user (the report, or the chart page), a
// file of the program directory. It is opened once, after the earlier one is
// removed, and stays open until close() or until the object goes. Its lines
// are gathered and written in blocks (see OutputFile): memory stays the same
// however long the file, and a file put in its place meanwhile receives
// nothing.
class RunFile {
public:
  // Removes the file named `name` an earlier run left, even a read-only one,
  // and opens a new one. When the earlier file cannot be removed it is kept
  // as it is: no line of this run is written into it (they would read as one
  // report), and wholeWritten() is false; so it is when the new file cannot
  // be opened.
  RunFile(Platform& platform, std::string_view name);

  // Appends lines that already end with CR LF, one after the other
  // ("uno\r\n\r\n" is "uno" and an empty line), whole or in pieces (texts:
  // "uno", "\r\n"), as OutputFile::append does. Lines that cannot be
  // written are lost and the run goes on; wholeWritten() remembers it.
  template <class... Pieces> void appendEndedLines(const Pieces&... pieces) {
    if (!file_ || !file_->append(pieces...)) {
      wholeWritten_ = false;
    }
  }

  // Writes what is left and closes the file once every line is appended.
  // When that fails, or the system tells only then that something written
  // was lost, wholeWritten() becomes false too.
  void close();

  // False once any line failed to be written.
  bool wholeWritten() const { return wholeWritten_; }

  // True when this run's file was opened (an earlier one removed first).
  bool opened() const { return opened_; }

private:
  std::optional<OutputFile> file_; // none once closed, or when it cannot be opened
  bool opened_ = false;
  bool wholeWritten_ = true;
};

} // namespace balvix
