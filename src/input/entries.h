#pragma once

#include "calendar/calendar.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace balvix {

inline constexpr std::string_view entriesFileName = "entrada.txt";

enum class Action { none, add, remove };              // "poner", "quitar"
enum class Moment { none, once, periodic, monthly };  // "concreta", "periodo", "mensualidad"
enum class Unit { none, years, months, weeks, days }; // "año", "mes", "semana", "dia"

// The word of the movements file for an action or a moment, as the report
// writes it ("poner", "periodo", ...); the empty text for none.
std::string_view wordOf(Action action);
std::string_view wordOf(Moment moment);

// An interval so long that the movement never falls due again: a count of
// units whose span is beyond any calendar date is stored as this.
inline constexpr std::int64_t neverAgain = std::numeric_limits<std::int64_t>::max();

// The timing of a "periodo" movement whose count and activation date passed
// their checks, taken from the fields as written (a count longer than the 255
// characters kept counts whole); for every other movement it keeps its
// defaults (unit none).
struct EntrySchedule {
  std::int64_t interval = 0; // units between two due dates; weeks in days
  Unit unit = Unit::none;    // weeks are held as Unit::weeks, in days
  DateParts anchor;          // the activation date
};

// One movement line of the movements file, read once: its fields checked and
// converted, its schedule, and the line as written. The comment and `cuando`
// are kept as written (cut to 255 characters) for the report lines; a field
// that failed its check stays empty, 0 or none.
struct Entry {
  std::string comment;
  double amount = 0;
  Action action = Action::none;
  Moment moment = Moment::none;
  std::string when;
  DateParts date;   // "concreta": the day of the movement
  int monthDay = 0; // "mensualidad": the day of the month, 1 to 28
  EntrySchedule schedule;
  std::string line; // the whole line, byte for byte, without its line end
};

// The movements file read and checked: one record per movement line, in file
// order (the record's index + 1 is its "Línea" number).
struct EntriesRead {
  std::vector<Entry> entries;
  std::int32_t errorCount = 0; // faulty fields found, one log line each
  bool unreadable = false;     // the file is there but could not be read: its one fault
};

// Receives the error log lines, in the order the faults are found.
using ErrorSink = std::function<void(std::string_view line)>;

// Checks every field of every movement line of `text` (the bytes of a
// movements file), sends one line per faulty field to `logError`
// ("entrada.txt Línea " k message), and keeps the fields that pass.
//
// Besides the form of each field, a movement is faulty when it would be read
// otherwise than written: an amount with a comma or with a digit after the
// number read ("1,5", "1.850.50", "1 850"; "1850.50 EUR" and " 10" pass), a
// day of the month with a fraction or with a digit after the number read
// ("15.5", "15,5", "1 15"; "15abc" passes), an activation "0" followed by a
// digit ("0 5"), and a "periodo" count that does not lead its unit word, is 0
// or has a digit after the word ("3mes", "2semanas", "0001dia" pass; "mes3",
// "0dia", "1e2mes", "3mes3" do not).
//
// Text after a byte 26 other than further 26s, blanks, tabs and line ends is
// one more fault, logged last with the number the next movement line would
// have had.
EntriesRead parseEntries(std::string_view text, const ErrorSink& logError);

// The movement lines of a movements file's bytes, in file order: the lines
// that are neither empty nor comments (a comment's first character that is
// not a blank is ";"). The i-th of them is line i + 1 of the messages.
std::vector<std::string_view> movementLines(std::string_view text);

class FaultLog;

// Checks one movement line as parseEntries does, as line `k`: its faults go to
// `faults`, and its record is appended to `read`.
void parseMovementLine(std::string_view line, std::size_t k, FaultLog& faults, EntriesRead& read);

// The movements one walk applies, in the order they apply: records kept by
// their readers (the plan's, a scenario's own), which must outlive the list.
using MovementList = std::vector<const Entry*>;

// Every record of `entries`, in order.
MovementList movementListOf(const std::vector<Entry>& entries);

} // namespace balvix
