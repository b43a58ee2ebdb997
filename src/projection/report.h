#pragma once

#include "calendar/calendar.h"
#include "input/entries.h"
#include "platform/platform.h"
#include "projection/walk_events.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace balvix {

// Told to the user before the report is opened when some line of it could not
// be written, so that a report with missing lines is not taken as complete.
inline constexpr std::string_view reportIncompleteMessage =
    "No se pudo escribir el informe completo ...";

// Where the lines of a report go, one line at a time (the line end is the
// receiver's).
class LineSink {
public:
  virtual ~LineSink() = default;
  virtual void appendLine(std::string_view line) = 0;
  // The same for lines that already end with CR LF, one after the other
  // ("uno\r\n\r\n" is "uno" and an empty line).
  virtual void appendEndedLines(std::string_view lines);
};

// The report file of one run, a file of the program directory. It is opened
// once, after the earlier report is removed, and stays open until close() or
// until the object goes; every line is written by its own write, so each line
// is in the file as soon as it is appended, and a file put in its place
// meanwhile receives nothing. Nothing is held in memory.
class Report : public LineSink {
public:
  // Removes the file named `name` an earlier run left, even a read-only one,
  // and opens a new one. When the earlier file cannot be removed it is kept
  // as it is: no line of this run is written into it (they would read as one
  // report), and wholeWritten() is false; so it is when the new file cannot
  // be opened.
  Report(Platform& platform, std::string_view name);

  // Appends one line (CR LF is added). A line that cannot be written is lost
  // and the run goes on; wholeWritten() remembers it.
  void appendLine(std::string_view line) override;
  void appendEndedLines(std::string_view lines) override;

  // Closes the file once every line is appended. When the system tells only
  // then that something written was lost, wholeWritten() becomes false too.
  void close();

  // False once any line failed to be written.
  bool wholeWritten() const { return wholeWritten_; }

private:
  std::unique_ptr<OutputFile> file_; // none once closed, or when it cannot be opened
  bool wholeWritten_ = true;
};

// The report's lines of a walk: a day line per day, the activation and
// movement lines of each movement applied (the movement line followed by an
// empty line), then two empty lines and the closing line. The amounts are
// written as formatMoney writes them; each movement's action and amount are
// written once, when it first applies, and the running balance once per
// change.
class ReportWriter : public WalkEvents {
public:
  ReportWriter(LineSink& sink, const std::vector<Entry>& entries, double openingBalance);

  void day(const DateParts& date) override;
  void activation(std::size_t movement) override;
  void movement(std::size_t movement, double before, double after) override;
  void closing(double balance) override;

private:
  // " action amount", as both lines of the movement write them.
  const std::string& actionAndAmountOf(std::size_t movement);

  LineSink& sink_;
  const std::vector<Entry>& entries_;
  std::vector<std::string> actionAndAmount_; // by movement, empty until it first applies
  double balance_;                           // the balance balanceText_ holds
  std::string balanceText_;                  // as formatMoney writes it
  std::string line_;
};

} // namespace balvix
