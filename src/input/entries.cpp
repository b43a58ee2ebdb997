#include "input/entries.h"

#include "input/date_text.h"
#include "input/error_log.h"
#include "input/fields.h"
#include "input/lines.h"
#include "input/numeric_value.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace balvix {

namespace {

constexpr std::string_view linePrefix = "entrada.txt L\xEDnea ";

constexpr std::string_view commentFault = " [comentario] es erroneo, m\xEDnimo 1 caracter ...";
constexpr std::string_view amountFault = " [dinero] es erroneo, siempre mayor de 0 ...";
constexpr std::string_view actionFault = " [acci\xF3n] es erroneo, debe ser [poner,quitar] ...";
constexpr std::string_view momentFault =
    " [momento] es erroneo, debe ser [concreta,periodo,mensualidad] ...";
constexpr std::string_view whenFault = " [cuando] es erroneo, debe ser "
                                       "[dd/mm/aaaa,cantidad{a\xF1o,mes,semana,dia},d\xED"
                                       "adelmes <= 28] ...";
constexpr std::string_view activationFault =
    " [activar periodo] es erroneo, debe ser [dd/mm/aaaa,0] ...";

constexpr std::string_view once = "concreta";
constexpr std::string_view periodic = "periodo";
constexpr std::string_view monthly = "mensualidad";

struct UnitWord {
  std::string_view word;
  Unit unit;
};

// The unit words of a period, in the order they are tried.
constexpr std::array<UnitWord, 4> unitWords = {
    {{"a\xF1o", Unit::years}, {"mes", Unit::months}, {"semana", Unit::weeks}, {"dia", Unit::days}}};

// Counts beyond this many days (or more units of any kind) reach past every
// calendar date: 01/01/0001 to 31/12/9999 spans about 3.65 million days.
constexpr double longestInterval = 4'000'000;

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Occurrences of `word` in `text`, counted without overlap.
std::size_t occurrences(std::string_view text, std::string_view word) {
  std::size_t count = 0;
  for (std::size_t at = text.find(word); at != std::string_view::npos;
       at = text.find(word, at + word.size())) {
    ++count;
  }
  return count;
}

// A comment line's first character that is not a blank is ";". A tab is not
// a blank.
bool isCommentLine(std::string_view line) {
  std::size_t first = line.find_first_not_of(' ');
  return first != std::string_view::npos && line[first] == ';';
}

// A count of units written with exactly one unit word: only digits and the
// letters of that word, and at least one digit.
bool isPeriodCount(std::string_view when, std::string_view word) {
  if (occurrences(when, word) != 1 || std::none_of(when.begin(), when.end(), isDigit)) {
    return false;
  }
  return std::all_of(when.begin(), when.end(), [word](char c) {
    return isDigit(c) || word.find(c) != std::string_view::npos;
  });
}

bool isValidAmount(std::string_view text) {
  // The value would stop at a ",", so "1,5" is refused rather than read as 1.
  double value = numericValue(text);
  return value > 0 && std::isfinite(value) && text.find(',') == std::string_view::npos;
}

Action actionOf(std::string_view text) {
  return text == "poner" ? Action::add : text == "quitar" ? Action::remove : Action::none;
}

Moment momentOf(std::string_view text) {
  return text == once       ? Moment::once
         : text == periodic ? Moment::periodic
         : text == monthly  ? Moment::monthly
                            : Moment::none;
}

// The interval of a count of units, in days for weeks. A count too large for
// any calendar, or not finite, never falls due again.
std::int64_t intervalOf(double count, Unit unit) {
  double units = unit == Unit::weeks ? count * 7 : count;
  if (!std::isfinite(units) || std::abs(units) > longestInterval) {
    return neverAgain;
  }
  return std::llround(units);
}

// The timing of a "periodo" movement from its stored fields. Only an
// activation that passed its check (a date of 10 characters) is stored.
EntrySchedule scheduleOf(const Entry& entry) {
  EntrySchedule schedule;
  if (entry.moment != periodic || entry.activation.size() != 10) {
    return schedule;
  }
  std::string_view when = entry.when;
  // A later unit word overwrites an earlier one: 1semanames ends as weeks.
  for (const UnitWord& unit : unitWords) {
    if (occurrences(when, unit.word) != 1) {
      continue;
    }
    double count = numericValue(when.substr(0, when.size() - unit.word.size()));
    schedule.interval = intervalOf(count, unit.unit);
    schedule.unit = unit.unit;
    schedule.anchor = datePartsOf(entry.activation);
  }
  return schedule;
}

// The day of the month of a "mensualidad" movement whose day passed its
// check: a whole number from 1 to 28.
int monthDayOf(std::string_view when) {
  return static_cast<int>(numericValue(when));
}

} // namespace

bool isValidWhen(std::string_view moment, std::string_view when) {
  if (moment == once) {
    return isRealDateText(when);
  }
  if (moment == periodic) {
    return std::any_of(unitWords.begin(), unitWords.end(),
                       [when](const UnitWord& unit) { return isPeriodCount(when, unit.word); });
  }
  if (moment == monthly) {
    // A day with a fraction ("15.5") would never come round: it is refused
    // rather than left to silently never happen.
    double day = numericValue(when);
    return day > 0 && day <= 28 && day == std::floor(day);
  }
  return false;
}

bool isValidActivation(std::string_view moment, std::string_view activation) {
  if (moment == periodic) {
    return isRealDateText(activation);
  }
  return numericValue(activation) == 0 &&
         std::count(activation.begin(), activation.end(), '0') == 1;
}

EntriesRead parseEntries(std::string_view text, const ErrorSink& logError) {
  EntriesRead read;
  FaultLog faults(linePrefix, logError, read.errorCount);
  std::size_t k = 0;
  for (std::string_view line : splitLines(text)) {
    if (line.empty() || isCommentLine(line)) {
      continue;
    }
    ++k;
    std::vector<std::string_view> field = splitFields(line, 6);
    Entry entry;

    if (!field[0].empty()) {
      entry.comment = storedText(field[0]);
    } else {
      faults.report(k, commentFault);
    }

    if (isValidAmount(field[1])) {
      entry.amount = numericValue(field[1]);
    } else {
      faults.report(k, amountFault);
    }

    if (actionOf(field[2]) != Action::none) {
      entry.action = storedText(field[2]);
      entry.actionKind = actionOf(field[2]);
    } else {
      faults.report(k, actionFault);
    }

    if (momentOf(field[3]) != Moment::none) {
      entry.moment = storedText(field[3]);
      entry.momentKind = momentOf(field[3]);
    } else {
      faults.report(k, momentFault);
    }

    if (isValidWhen(field[3], field[4])) {
      entry.when = storedText(field[4]);
      if (entry.momentKind == Moment::once) {
        entry.date = datePartsOf(field[4]);
      } else if (entry.momentKind == Moment::monthly) {
        entry.monthDay = monthDayOf(field[4]);
      }
    } else {
      faults.report(k, whenFault);
    }

    if (isValidActivation(field[3], field[5])) {
      entry.activation = storedText(field[5]);
    } else {
      faults.report(k, activationFault);
    }

    read.schedules.push_back(scheduleOf(entry));
    read.entries.push_back(std::move(entry));
  }
  return read;
}

EntriesRead readEntries(Platform& platform, ErrorLog& log) {
  std::optional<std::string> bytes = platform.readFile(entriesFileName);
  if (!bytes) {
    return {};
  }
  return parseEntries(*bytes, [&log](std::string_view line) { log.appendLine(line); });
}

} // namespace balvix
