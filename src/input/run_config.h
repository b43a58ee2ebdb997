#pragma once

#include "calendar/calendar.h"
#include "input/entries.h"
#include "text/cp1252.h"

#include <cstdint>
#include <string>
#include <vector>

namespace balvix {

inline constexpr std::string_view configFileName = "config.txt";

// The longest file name the systems hold: 255 characters (UTF-16 units on
// Windows, bytes on Linux; a report name is plain ASCII, so both agree).
inline constexpr std::size_t longestFileName = 255;

// How every report name ends (in any letter case).
inline constexpr std::string_view reportNameEnding = textFileEnding;

// The ending of the chart page's name, in place of reportNameEnding.
inline constexpr std::string_view pageEnding = ".html";

// The longest report name whose page name the system can hold.
inline constexpr std::size_t longestChartReportName =
    longestFileName - (pageEnding.size() - reportNameEnding.size());

// The report's name without its ending: balance2027.TXT gives balance2027,
// and ".txt" gives an empty stem. A name without the ending stays whole.
std::string_view reportStem(std::string_view reportName);

// One non-empty line of the configuration file, its fields checked and
// converted; a field that failed its check stays empty or 0.
struct RunConfig {
  DateParts start; // fecha1, the first day of the period
  DateParts end;   // fecha2, the last day
  double openingBalance = 0;
  std::string reportName; // as written, letter case kept
};

// The configuration file read and checked: one record per non-empty line, in
// file order. A run needs exactly one record and no fault.
struct ConfigRead {
  std::vector<RunConfig> records;
  std::int32_t errorCount = 0; // faulty fields found, one log line each
  bool unreadable = false;     // the file is there but could not be read: its one fault
};

// Checks every field of every non-empty line of `text` (the bytes of a
// configuration file), sends one line per faulty field to `logError`
// ("config.txt Línea " k message), and keeps the fields that pass. Text after
// a byte 26 other than further 26s, blanks, tabs and line ends is one more
// fault, logged last with the number the next non-empty line would have had.
// A report
// name longer than `longestReportName` is faulty: a program that writes a
// file of a longer name than the report's own takes fewer characters, so
// that the system can hold the name it writes.
ConfigRead parseRunConfig(std::string_view text, const ErrorSink& logError,
                          std::size_t longestReportName = longestFileName);

// True when the inputs allow a run: exactly one configuration line, whose
// first day is before its last, at least one movement, and no fault in
// either file nor among the `otherFaults` of a program's further inputs.
bool allowsRun(const EntriesRead& movements, const ConfigRead& config, std::int32_t otherFaults);

} // namespace balvix
