// Fuzz target: the movements reader, the configuration reader and the
// scenario reader on arbitrary bytes. A first byte 0 asks for one long line made of copies of the
// rest, a megabyte long; other inputs are read as they are. (Files of a hundred thousand lines and
// more take seconds under the fuzzer's instrumentation; the large_inputs test runs the program on
// them instead.)
//
// Checked: every log line names its file and a line that exists (text after a
// byte 26 is logged last, with the number after the last line's), the counts
// agree with the log, reading twice gives the same answer, and a line without
// a logged fault yields a record the projection can use as it is.

#include "calendar/calendar.h"
#include "input/entries.h"
#include "input/fields.h"
#include "input/lines.h"
#include "input/run_config.h"
#include "input/scenarios.h"
#include "text/cp1252.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

void require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
  }
}

std::string textOf(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  if (input.empty()) {
    return {};
  }
  const unsigned char mode = static_cast<unsigned char>(input.front());
  std::string_view rest = input.substr(1);
  if (rest.empty() || mode != 0) {
    return std::string(input);
  }
  // One long line: the rest repeated to a megabyte, line ends dropped.
  std::string piece;
  for (char c : rest) {
    if (c != '\r' && c != '\n') {
      piece += c;
    }
  }
  if (piece.empty()) {
    return std::string(input);
  }
  std::string text;
  text.reserve((1u << 20) + piece.size());
  while (text.size() < (1u << 20)) {
    text += piece;
  }
  return text;
}

// The error log of one reading, each line checked as it comes: the file's
// prefix, a line number from 1 on, in order, and a message; kept are the line
// numbers and, for short texts, the lines themselves.
class Log {
public:
  Log(std::string_view prefix, bool keepLines) : prefix_(prefix), keepLines_(keepLines) {}

  balvix::ErrorSink sink() {
    return [this](std::string_view line) { take(line); };
  }

  // Marks the lines that have a fault, checking that each exists, and that
  // the text after a byte 26 is logged, last, exactly when there is some.
  std::vector<bool> faultyLines(std::size_t count, std::string_view text) const {
    std::vector<bool> faulty(count + 1, false);
    std::size_t fieldFaults = numbers_.size();
    if (balvix::hasTextAfterEnd(text)) {
      require(textAfterEnd_ && numbers_.back() == count + 1,
              "text after a byte 26 is logged last, numbered after the last line");
      --fieldFaults;
    }
    for (std::size_t i = 0; i < fieldFaults; ++i) {
      require(numbers_[i] >= 1 && numbers_[i] <= count,
              "the line number names a line that was read");
      faulty[numbers_[i]] = true;
    }
    return faulty;
  }

  std::size_t size() const { return numbers_.size(); }
  const std::vector<std::string>& lines() const { return lines_; }

private:
  void take(std::string_view line) {
    require(line.starts_with(prefix_), "every log line starts with the file's prefix");
    std::size_t at = prefix_.size();
    std::size_t number = 0;
    require(at < line.size() && line[at] >= '1' && line[at] <= '9', "a line number follows");
    while (at < line.size() && line[at] >= '0' && line[at] <= '9') {
      number = number * 10 + static_cast<std::size_t>(line[at] - '0');
      ++at;
    }
    require(line.substr(at).starts_with(" ["), "the field's name follows the number");
    require(line.ends_with(" ..."), "every message ends with \" ...\"");
    require(line.find('\r') == std::string_view::npos && line.find('\n') == std::string_view::npos,
            "a log line holds no line end");
    require(numbers_.empty() || number >= numbers_.back(), "the faults come in line order");
    require(!textAfterEnd_, "nothing is logged after the text after a byte 26");
    textAfterEnd_ = line.substr(at).starts_with(" [fin de texto]");
    numbers_.push_back(number);
    if (keepLines_) {
      lines_.emplace_back(line);
    }
  }

  std::string_view prefix_;
  bool keepLines_;
  std::vector<std::size_t> numbers_;
  bool textAfterEnd_ = false;
  std::vector<std::string> lines_;
};

constexpr std::size_t shortText = 4096;

// The lines a reader counts: those that hold at least one character.
std::size_t nonEmptyLines(std::string_view text) {
  std::size_t count = 0;
  for (std::string_view line : balvix::splitLines(text)) {
    count += line.empty() ? 0 : 1;
  }
  return count;
}

bool isStored(const std::string& text) {
  return text.size() <= balvix::longestStoredText;
}

void checkEntries(std::string_view text) {
  const std::string_view prefix = "entrada.txt L\xEDnea ";
  Log log(prefix, text.size() <= shortText);
  balvix::EntriesRead read = balvix::parseEntries(text, log.sink());
  require(read.entries.size() <= nonEmptyLines(text), "no more movements than non-empty lines");
  require(static_cast<std::size_t>(read.errorCount) == log.size(),
          "one log line per counted fault");
  std::vector<bool> faulty = log.faultyLines(read.entries.size(), text);
  const std::vector<std::string_view> lines = balvix::movementLines(text);
  for (std::size_t i = 0; i < read.entries.size(); ++i) {
    require(i < lines.size() && read.entries[i].line == lines[i],
            "each movement keeps its line as written");
  }

  for (std::size_t i = 0; i < read.entries.size(); ++i) {
    const balvix::Entry& e = read.entries[i];
    require(isStored(e.comment) && isStored(e.when), "stored texts hold at most 255 characters");
    if (faulty[i + 1]) {
      continue;
    }
    require(!e.comment.empty(), "a good movement has a comment");
    require(e.amount > 0 && std::isfinite(e.amount), "a good amount is finite and above 0");
    require(e.action == balvix::Action::add || e.action == balvix::Action::remove,
            "a good action is poner or quitar");
    switch (e.moment) {
    case balvix::Moment::once:
      require(balvix::isRealDay(e.date), "a good date is a real day");
      break;
    case balvix::Moment::monthly:
      require(e.monthDay >= 1 && e.monthDay <= 28, "a good day of the month is 1 to 28");
      break;
    case balvix::Moment::periodic: {
      const balvix::EntrySchedule& s = e.schedule;
      require(s.unit != balvix::Unit::none && s.interval >= 1 && balvix::isRealDay(s.anchor),
              "a good period has a unit, a count of at least 1 and a real activation day");
      require(!e.when.empty() && e.when.front() >= '0' && e.when.front() <= '9',
              "a good period starts with its count");
      break;
    }
    case balvix::Moment::none:
      require(false, "a good movement has a moment");
    }
  }

  if (text.size() > shortText) {
    return;
  }
  Log again(prefix, true);
  balvix::EntriesRead second = balvix::parseEntries(text, again.sink());
  require(again.lines() == log.lines() && second.entries.size() == read.entries.size(),
          "reading twice gives the same answer");
}

void checkConfig(std::string_view text) {
  Log log("config.txt L\xEDnea ", false);
  balvix::ConfigRead read = balvix::parseRunConfig(text, log.sink());
  require(read.records.size() == nonEmptyLines(text), "one record per non-empty line");
  require(static_cast<std::size_t>(read.errorCount) == log.size(),
          "one log line per counted fault");
  std::vector<bool> faulty = log.faultyLines(read.records.size(), text);

  for (std::size_t i = 0; i < read.records.size(); ++i) {
    const balvix::RunConfig& c = read.records[i];
    require(isStored(c.reportName), "stored texts hold at most 255 characters");
    if (faulty[i + 1]) {
      continue;
    }
    require(balvix::isRealDay(c.start) && balvix::isRealDay(c.end) && c.start.year >= 1 &&
                c.end.year <= 9999,
            "good dates are real days");
    require(c.openingBalance >= 0 && std::isfinite(c.openingBalance),
            "a good opening balance is finite and not negative");
    const std::string lowered = balvix::lowerCase1252(c.reportName);
    require(lowered.ends_with(".txt") && lowered.find_first_of("/\\:") == std::string::npos,
            "a good report name is a plain .txt name");
    require(lowered != "config.txt" && lowered != "entrada.txt" && lowered != "errores.txt",
            "a good report name is none of the program's own files");
  }
}

// The scenarios of a folder whose one file "x.txt" holds `text`.
balvix::ScenariosRead scenariosOf(std::string_view text, const balvix::EntriesRead& plan,
                                  const balvix::ErrorSink& sink) {
  const balvix::FolderListing listing{balvix::FolderListing::State::listed,
                                      {{"x.txt", "x.txt", true}}};
  return balvix::readScenarios(
      listing, [text](const balvix::FolderEntry&) { return std::optional<std::string>(text); },
      plan, '/', sink);
}

// The text as a scenario of a small plan, and as a plan whose every movement
// one scenario takes away.
void checkScenario(std::string_view text) {
  if (text.size() > shortText) {
    return;
  }
  const std::string plan = "Nomina|1500|poner|mensualidad|1|0\r\nLuz|50|quitar|mensualidad|5|0\r\n";
  const balvix::EntriesRead planRead = balvix::parseEntries(plan, nullptr);
  Log log("escenarios/x.txt L\xEDnea ", false);
  balvix::ScenariosRead read = scenariosOf(text, planRead, log.sink());
  require(read.scenarios.size() == 1 && read.leftOut.empty(), "one file, one scenario");
  const balvix::Scenario& scenario = read.scenarios.front();
  require(static_cast<std::size_t>(read.errorCount) == log.size(),
          "one log line per counted fault");
  log.faultyLines(balvix::movementLines(text).size(), text);
  std::vector<bool> taken(planRead.entries.size(), false);
  for (std::size_t index : scenario.taken) {
    require(index < taken.size() && !taken[index], "each plan movement is taken at most once");
    taken[index] = true;
  }
  require(balvix::movementListOf(scenario, planRead).size() ==
              planRead.entries.size() - scenario.taken.size() + scenario.added.size(),
          "the plan less the taken movements, then the added ones");

  std::string takeAll;
  for (std::string_view line : balvix::movementLines(text)) {
    takeAll.append("-").append(line).append("\r\n");
  }
  const balvix::EntriesRead asPlan = balvix::parseEntries(text, nullptr);
  balvix::ScenariosRead none = scenariosOf(takeAll, asPlan, nullptr);
  require(none.errorCount == 0 && balvix::movementListOf(none.scenarios.front(), asPlan).empty(),
          "a scenario that takes every line of the plan away keeps no movement");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = textOf(data, size);
  checkEntries(text);
  checkConfig(text);
  checkScenario(text);
  return 0;
}
