#include "input/entries.h"

#include "input/date_text.h"
#include "input/fields.h"
#include "input/lines.h"
#include "input/numeric_value.h"
#include "text/cp1252.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace balvix {

namespace {

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

template <typename Kind> struct KeyWord {
  std::string_view word;
  Kind kind;
};

constexpr std::array<KeyWord<Action>, 2> actionWords = {
    {{"poner", Action::add}, {"quitar", Action::remove}}};
constexpr std::array<KeyWord<Moment>, 3> momentWords = {
    {{"concreta", Moment::once}, {"periodo", Moment::periodic}, {"mensualidad", Moment::monthly}}};

// The unit words of a period, in the order they are tried.
constexpr std::array<KeyWord<Unit>, 4> unitWords = {
    {{"a\xF1o", Unit::years}, {"mes", Unit::months}, {"semana", Unit::weeks}, {"dia", Unit::days}}};

// Counts beyond this many days (or more units of any kind) reach past every
// calendar date: 01/01/0001 to 31/12/9999 spans about 3.65 million days.
constexpr std::int64_t longestInterval = 4'000'000;

// The kind a keyword names, compared exactly, or none.
template <typename Kind, std::size_t N>
std::optional<Kind> kindOf(const std::array<KeyWord<Kind>, N>& words, std::string_view text) {
  auto found = std::find_if(words.begin(), words.end(),
                            [text](const KeyWord<Kind>& word) { return word.word == text; });
  return found == words.end() ? std::nullopt : std::optional<Kind>(found->kind);
}

template <typename Kind, std::size_t N>
std::string_view wordOfKind(const std::array<KeyWord<Kind>, N>& words, Kind kind) {
  auto found = std::find_if(words.begin(), words.end(),
                            [kind](const KeyWord<Kind>& word) { return word.kind == kind; });
  return found == words.end() ? std::string_view{} : found->word;
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

// The `dinero` field: its numeric value, above 0 and finite. The value must
// be the whole number written: with a comma ("1,5") or a digit after the
// number read ("1.850.50", "1 850") it would silently be smaller, so such a
// field is refused. Other text after the number ("1850.50 EUR") is allowed.
std::optional<double> amountOf(std::string_view text) {
  std::optional<double> amount = soleNumericValue(text);
  if (!amount || !(*amount > 0) || !std::isfinite(*amount) ||
      text.find(',') != std::string_view::npos) {
    return std::nullopt;
  }
  return amount;
}

// The day of a "mensualidad": a whole number from 1 to 28, and the only
// number of the field. A day with a fraction ("15.5") would never come round,
// and one followed by another number ("15,5", "5,20", "1 15") would be read
// as some other day than meant, so both are refused.
std::optional<int> monthDayOf(std::string_view text) {
  std::optional<double> day = soleNumericValue(text);
  if (!day || !(*day > 0 && *day <= 28 && *day == std::floor(*day))) {
    return std::nullopt;
  }
  return static_cast<int>(*day);
}

// The interval of a count of units (decimal digits without leading zeros), in
// days for weeks. A count too large for any calendar never falls due again.
std::int64_t intervalOf(std::string_view count, Unit unit) {
  constexpr std::size_t longestCount = 7; // digits of longestInterval
  if (count.size() > longestCount) {
    return neverAgain;
  }
  std::int64_t units = 0;
  for (char digit : count) {
    units = units * 10 + (digit - '0');
  }
  if (unit == Unit::weeks) {
    units *= 7;
  }
  return units > longestInterval ? neverAgain : units;
}

struct Period {
  std::int64_t interval = 0; // in days for weeks
  Unit unit = Unit::none;
};

// The count and unit of a "periodo": one unit word, only digits and the
// letters of that word, and the count leading it: digits worth at least 1
// followed directly by the word, and no digit after it. "3meses", "2semanas",
// "0001dia" and "1semanames" (weeks) pass; "0dia", "mes3", "1e2mes", "3mes3"
// do not.
std::optional<Period> periodOf(std::string_view when) {
  // At most one unit word passes: no two of them have the same letters.
  for (const KeyWord<Unit>& unit : unitWords) {
    if (!isPeriodCount(when, unit.word)) {
      continue;
    }
    std::size_t countEnd = std::min(when.find_first_not_of("0123456789"), when.size());
    std::string_view count = when.substr(0, countEnd);
    count.remove_prefix(std::min(count.find_first_not_of('0'), count.size()));
    std::string_view afterCount = when.substr(countEnd);
    if (count.empty() || !afterCount.starts_with(unit.word) ||
        std::any_of(afterCount.begin(), afterCount.end(), isDigit)) {
      return std::nullopt;
    }
    return Period{intervalOf(count, unit.kind), unit.kind};
  }
  return std::nullopt;
}

// What the `cuando` field gives for its moment: the day of a "concreta", the
// day of the month of a "mensualidad", the period of a "periodo". None when it
// fails its check, always for a faulty moment.
struct When {
  DateParts date;
  int monthDay = 0;
  Period period;
};

std::optional<When> whenOf(std::optional<Moment> moment, std::string_view text) {
  When when;
  switch (moment.value_or(Moment::none)) {
  case Moment::once:
    if (std::optional<DateParts> date = realDateOf(text)) {
      when.date = *date;
      return when;
    }
    break;
  case Moment::monthly:
    if (std::optional<int> day = monthDayOf(text)) {
      when.monthDay = *day;
      return when;
    }
    break;
  case Moment::periodic:
    if (std::optional<Period> period = periodOf(text)) {
      when.period = *period;
      return when;
    }
    break;
  case Moment::none:
    break;
  }
  return std::nullopt;
}

// The `activar periodo` of any moment but "periodo", also a faulty one: the
// text "0" (its value 0, the only number of the field, and one "0" in it).
bool isNoActivation(std::string_view text) {
  return soleNumericValue(text) == 0.0 && std::count(text.begin(), text.end(), '0') == 1;
}

} // namespace

std::string_view wordOf(Action action) {
  return wordOfKind(actionWords, action);
}

std::string_view wordOf(Moment moment) {
  return wordOfKind(momentWords, moment);
}

std::vector<std::string_view> movementLines(std::string_view text) {
  std::vector<std::string_view> lines = splitLines(text);
  std::erase_if(lines, [](std::string_view line) { return line.empty() || isCommentLine(line); });
  return lines;
}

void parseMovementLine(std::string_view line, std::size_t k, FaultLog& faults, EntriesRead& read) {
  std::vector<std::string_view> field = splitFields(line, 6);
  Entry entry;

  if (!field[0].empty()) {
    entry.comment = storedText(field[0]);
  } else {
    faults.report(k, commentFault);
  }

  if (std::optional<double> amount = amountOf(field[1])) {
    entry.amount = *amount;
  } else {
    faults.report(k, amountFault);
  }

  if (std::optional<Action> action = kindOf(actionWords, field[2])) {
    entry.action = *action;
  } else {
    faults.report(k, actionFault);
  }

  std::optional<Moment> moment = kindOf(momentWords, field[3]);
  if (moment) {
    entry.moment = *moment;
  } else {
    faults.report(k, momentFault);
  }

  std::optional<When> when = whenOf(moment, field[4]);
  if (when) {
    entry.when = storedText(field[4]);
    entry.date = when->date;
    entry.monthDay = when->monthDay;
  } else {
    faults.report(k, whenFault);
  }

  std::optional<DateParts> activation;
  if (moment == Moment::periodic) {
    activation = realDateOf(field[5]);
    if (!activation) {
      faults.report(k, activationFault);
    }
  } else if (!isNoActivation(field[5])) {
    faults.report(k, activationFault);
  }

  // A "periodo" whose count and activation passed is due from then on.
  if (when && activation) {
    entry.schedule = {when->period.interval, when->period.unit, *activation};
  }
  entry.line = std::string(line);
  read.entries.push_back(std::move(entry));
}

EntriesRead parseEntries(std::string_view text, const ErrorSink& logError) {
  EntriesRead read;
  FaultLog faults(entriesFileName, logError, read.errorCount);
  const std::vector<std::string_view> lines = movementLines(text);
  // Room for every line at once: growing step by step would move the
  // movements read so far each time.
  read.entries.reserve(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    parseMovementLine(lines[i], i + 1, faults, read);
  }
  if (hasTextAfterEnd(text)) {
    faults.report(lines.size() + 1, textAfterEndFault);
  }
  return read;
}

MovementList movementListOf(const std::vector<Entry>& entries) {
  MovementList list;
  list.reserve(entries.size());
  for (const Entry& entry : entries) {
    list.push_back(&entry);
  }
  return list;
}

} // namespace balvix
