// Fuzz target: one whole start of the program on a fresh program directory of
// the fake platform. The input is split into the argument (up to the first
// line feed), the bytes of config.txt (up to the first "\n#\n") and the bytes
// of entrada.txt (the rest). Inputs whose configuration asks for more than 400
// days are skipped, so that one input takes milliseconds.
//
// Checked, whatever the input:
// - the start holds the folder lock while it writes files and releases it
//   before it tells the user anything;
// - the start ends, with exit code 0, having told the user exactly one thing:
//   the usage text, the refusal (and then the error log is opened), the
//   out-of-period message, or nothing and the report is opened;
// - files are touched only by plain names of the program directory, and only
//   Errores.txt and a report name written in config.txt are ever written or
//   removed; config.txt and entrada.txt keep their bytes;
// - every line of Errores.txt names entrada.txt or config.txt and a line, the
//   faults of entrada.txt first;
// - a report walks consecutive days, each with its right weekday name; each
//   movement's balance after is its balance before plus or minus its amount,
//   within one cent (the three texts are rounded separately); each movement
//   starts from the balance the previous one left; and the closing line
//   repeats the last balance.

#include "driver/error_log.h"
#include "driver/program.h"
#include "fake/fake_platform.h"
#include "input/messages.h"
#include "input/run_config.h"

#include <algorithm>
#include <array>
#include <chrono>
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

using balvix::testing::FakePlatform;

constexpr long longestPeriod = 400;       // days
constexpr long mostMovementDays = 40'000; // movement lines times days

[[noreturn]] void broken(const std::string& what) {
  std::fprintf(stderr, "property broken: %s\n", what.c_str());
  std::abort();
}

void require(bool holds, const std::string& what) {
  if (!holds) {
    broken(what);
  }
}

std::string lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return out;
}

// A fake platform that also checks every name the program hands it.
class WatchedPlatform : public FakePlatform {
public:
  explicit WatchedPlatform(std::string configBytes) : config_(std::move(configBytes)) {}

  bool exists(std::string_view name) override {
    requirePlain(name);
    return FakePlatform::exists(name);
  }
  bool removeFile(std::string_view name) override {
    requireWritable(name);
    return FakePlatform::removeFile(name);
  }
  std::unique_ptr<balvix::AppendFile> openForAppend(std::string_view name) override {
    requireWritable(name);
    return FakePlatform::openForAppend(name);
  }
  std::optional<std::string> readFile(std::string_view name) override {
    requirePlain(name);
    require(name == "config.txt" || name == "entrada.txt", "only the input files are read");
    return FakePlatform::readFile(name);
  }
  void openDocument(std::string_view name) override {
    requirePlain(name);
    FakePlatform::openDocument(name);
  }

  // Names written or removed other than the error log.
  std::vector<std::string> reportNames;

private:
  static void requirePlain(std::string_view name) {
    require(!name.empty() && name != "." && name != ".." &&
                name.find_first_of(std::string_view("/\\:\0", 4)) == std::string_view::npos,
            "a file is named by a plain name of the program directory: " + std::string(name));
  }

  void requireWritable(std::string_view name) {
    requirePlain(name);
    if (name == balvix::errorLogName) {
      return;
    }
    std::string lower = lowered(name);
    require(lower.ends_with(".txt") && lower != "config.txt" && lower != "entrada.txt" &&
                lower != "errores.txt",
            "a report is a .txt file other than the program's own: " + std::string(name));
    require(config_.find(name) != std::string::npos,
            "a report is named in config.txt: " + std::string(name));
    if (std::find(reportNames.begin(), reportNames.end(), name) == reportNames.end()) {
      reportNames.emplace_back(name);
    }
  }

  std::string config_;
};

std::vector<std::string> linesOf(std::string_view bytes, const char* file) {
  std::vector<std::string> lines;
  require(bytes.empty() || bytes.ends_with("\r\n"), std::string(file) + " ends with CR LF");
  while (!bytes.empty()) {
    std::size_t end = bytes.find("\r\n");
    lines.emplace_back(bytes.substr(0, end));
    bytes.remove_prefix(end + 2);
  }
  return lines;
}

void checkErrorLog(std::string_view bytes) {
  bool configPart = false;
  for (const std::string& line : linesOf(bytes, "Errores.txt")) {
    std::string_view rest = line;
    if (rest.starts_with("entrada.txt L\xEDnea ")) {
      require(!configPart, "the faults of entrada.txt come first");
      rest.remove_prefix(18);
    } else if (rest.starts_with("config.txt L\xEDnea ")) {
      configPart = true;
      rest.remove_prefix(17);
    } else {
      broken("a log line names its file: " + line);
    }
    require(!rest.empty() && rest.front() >= '1' && rest.front() <= '9',
            "a log line names a line number: " + line);
  }
}

// --- Reading a report back ---------------------------------------------------

struct Money {
  long double value = 0;
  bool finite = true;
};

// An amount as the report writes it: "-", groups of three digits joined by
// ".", "'" and two decimals; or the text of an infinite balance.
std::optional<Money> moneyOf(std::string_view text) {
  if (text == "inf") {
    return Money{INFINITY, false};
  }
  if (text == "-inf") {
    return Money{-INFINITY, false};
  }
  bool negative = text.starts_with('-');
  if (negative) {
    text.remove_prefix(1);
  }
  std::size_t mark = text.find('\'');
  if (mark == std::string_view::npos || text.size() != mark + 3) {
    return std::nullopt;
  }
  std::string_view units = text.substr(0, mark);
  long double value = 0;
  for (std::size_t i = 0; i < units.size(); ++i) {
    bool groupMark = i > 0 && (units.size() - i) % 4 == 0;
    if (groupMark) {
      if (units[i] != '.') {
        return std::nullopt;
      }
      continue;
    }
    if (units[i] < '0' || units[i] > '9' || (i == 0 && units[i] == '0')) {
      return std::nullopt;
    }
    value = value * 10 + (units[i] - '0');
  }
  for (char c : text.substr(mark + 1)) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
  }
  value += ((text[mark + 1] - '0') * 10 + (text[mark + 2] - '0')) / 100.0L;
  if (negative && value == 0) {
    return std::nullopt; // a zero is written without a sign
  }
  return Money{negative ? -value : value, true};
}

struct Movement {
  std::string before;
  std::string after;
};

bool balanceHolds(const Money& before, bool add, const Money& amount, const Money& after) {
  // An amount below half a cent is written '00.
  if (!amount.finite || amount.value < 0) {
    return false;
  }
  if (!before.finite) {
    return after.value == before.value;
  }
  if (!after.finite) {
    return add ? after.value > 0 : after.value < 0;
  }
  long double expected = add ? before.value + amount.value : before.value - amount.value;
  long double magnitude = std::max({std::fabs(before.value), std::fabs(after.value), amount.value});
  // One cent for the separate rounding of the three texts, and the precision
  // of a double at that magnitude.
  long double tolerance = 0.01L + 1e-9L + magnitude * 4.5e-16L;
  return std::fabs(expected - after.value) <= tolerance;
}

// A movement line: comment, before, action, amount, "=", after, moment, when.
// The comment and `when` may hold blanks and even " = ", so every " = " is
// tried; a reading must follow on from the previous balance when there is one.
std::optional<Movement> movementOf(std::string_view line, const std::optional<std::string>& last) {
  for (std::size_t eq = line.find(" = "); eq != std::string_view::npos;
       eq = line.find(" = ", eq + 1)) {
    std::string_view left = line.substr(0, eq);
    std::string_view right = line.substr(eq + 3);
    std::size_t afterEnd = right.find(' ');
    if (afterEnd == std::string_view::npos) {
      continue;
    }
    std::string_view afterText = right.substr(0, afterEnd);
    std::string_view tail = right.substr(afterEnd + 1);
    if (!tail.starts_with("concreta ") && !tail.starts_with("periodo ") &&
        !tail.starts_with("mensualidad ")) {
      continue;
    }
    std::size_t amountStart = left.rfind(' ');
    if (amountStart == std::string_view::npos) {
      continue;
    }
    std::string_view amountText = left.substr(amountStart + 1);
    left = left.substr(0, amountStart);
    bool add = left.ends_with(" poner");
    if (!add && !left.ends_with(" quitar")) {
      continue;
    }
    left.remove_suffix(add ? 6 : 7);
    std::size_t beforeStart = left.rfind(' ');
    if (beforeStart == std::string_view::npos || beforeStart == 0) {
      continue; // the comment has at least one character
    }
    std::string_view beforeText = left.substr(beforeStart + 1);
    auto before = moneyOf(beforeText);
    auto amount = moneyOf(amountText);
    auto after = moneyOf(afterText);
    if (!before || !amount || !after || !balanceHolds(*before, add, *amount, *after)) {
      continue;
    }
    if (last && *last != beforeText) {
      continue;
    }
    return Movement{std::string(beforeText), std::string(afterText)};
  }
  return std::nullopt;
}

constexpr std::array<std::string_view, 7> weekdayNames = {
    "Domingo", "Lunes", "Martes", "Mi\xE9rcoles", "Jueves", "Viernes", "Sabado"};

std::optional<std::chrono::year_month_day> dayOf(std::string_view line) {
  std::size_t blank = line.find(' ');
  if (blank == std::string_view::npos || line.size() != blank + 11) {
    return std::nullopt;
  }
  std::string_view name = line.substr(0, blank);
  std::string_view date = line.substr(blank + 1);
  auto number = [&](std::size_t at, std::size_t n) {
    int value = 0;
    for (std::size_t i = at; i < at + n; ++i) {
      if (date[i] < '0' || date[i] > '9') {
        return -1;
      }
      value = value * 10 + (date[i] - '0');
    }
    return value;
  };
  if (date[2] != '/' || date[5] != '/') {
    return std::nullopt;
  }
  int d = number(0, 2);
  int m = number(3, 2);
  int y = number(6, 4);
  if (d < 0 || m < 0 || y < 0) {
    return std::nullopt;
  }
  std::chrono::year_month_day day{std::chrono::year{y}, std::chrono::month{unsigned(m)},
                                  std::chrono::day{unsigned(d)}};
  if (!day.ok()) {
    return std::nullopt;
  }
  std::chrono::weekday weekday{std::chrono::sys_days{day}};
  if (name != weekdayNames[weekday.c_encoding()]) {
    broken("a day line carries its own weekday: " + std::string(line));
  }
  return day;
}

void checkReport(std::string_view bytes, bool overflowed) {
  const std::vector<std::string> lines = linesOf(bytes, "the report");
  const std::string_view activation = "ACTIVACI\xD3N !! ";
  require(lines.size() >= 4, "a report has a day and the closing block");
  std::optional<std::string> balance;
  std::optional<std::chrono::sys_days> previousDay;
  std::size_t i = 0;
  while (i < lines.size()) {
    const std::string& line = lines[i];
    if (line.empty()) {
      break; // the closing block
    }
    if (auto day = dayOf(line)) {
      std::chrono::sys_days today{*day};
      require(!previousDay || today == *previousDay + std::chrono::days{1},
              "day lines are consecutive days: " + line);
      previousDay = today;
      ++i;
      continue;
    }
    require(previousDay.has_value(), "a report starts with a day line");
    // An activation line is followed by its movement line; a movement line,
    // whose comment may itself start like an activation, by an empty line.
    if (line.starts_with(activation) && i + 1 < lines.size() && !lines[i + 1].empty()) {
      ++i;
    }
    auto movement = movementOf(lines[i], balance);
    require(movement.has_value(),
            "a movement line adds or takes its amount from the balance before it: " + lines[i]);
    balance = movement->after;
    require(i + 1 < lines.size() && lines[i + 1].empty(), "a movement line is followed by \"\"");
    i += 2;
  }
  require(i + 3 == lines.size() && lines[i].empty() && lines[i + 1].empty(),
          "the report ends with two empty lines and the closing line");
  const std::string& closing = lines[i + 2];
  if (overflowed) {
    require(closing.starts_with("El saldo ya no cabe en un n\xFAmero con \"") &&
                closing.ends_with("\": el informe termina aqu\xED ..."),
            "a walk ended by a balance beyond any number says so last: " + closing);
    return;
  }
  require(closing.starts_with("Saldo total = ") && moneyOf(closing.substr(14)).has_value(),
          "the closing line gives the balance: " + closing);
  require(!balance || closing.substr(14) == *balance,
          "the closing line repeats the last balance: " + closing);
}

// --- The start ---------------------------------------------------------------

// Days from the first to the last day of a configuration line, when the
// configuration would let a run start.
std::optional<long> periodLength(std::string_view config) {
  balvix::ConfigRead read = balvix::parseRunConfig(config, [](std::string_view) {});
  if (read.records.size() != 1) {
    return std::nullopt;
  }
  const balvix::RunConfig& c = read.records.front();
  using namespace std::chrono;
  year_month_day first{year{c.start.year}, month{unsigned(c.start.month)},
                       day{unsigned(c.start.day)}};
  year_month_day last{year{c.end.year}, month{unsigned(c.end.month)}, day{unsigned(c.end.day)}};
  if (!first.ok() || !last.ok()) {
    return std::nullopt;
  }
  return (sys_days{last} - sys_days{first}).count();
}

// At least the number of lines: each ends at a carriage return or a line feed.
long movementLines(std::string_view entries) {
  return static_cast<long>(std::count(entries.begin(), entries.end(), '\r') +
                           std::count(entries.begin(), entries.end(), '\n')) +
         1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::size_t argumentEnd = std::min(input.find('\n'), input.size());
  std::string argument(input.substr(0, argumentEnd));
  input.remove_prefix(std::min(argumentEnd + 1, input.size()));
  std::size_t configEnd = std::min(input.find("\n#\n"), input.size());
  std::string config(input.substr(0, configEnd));
  std::string entries(input.substr(std::min(configEnd + 3, input.size())));

  if (auto days = periodLength(config)) {
    if (*days > longestPeriod || *days * movementLines(entries) > mostMovementDays) {
      return -1; // too long a walk for a fuzz input; not kept in the corpus
    }
  }

  WatchedPlatform platform(config);
  platform.writeFile("config.txt", config);
  platform.writeFile("entrada.txt", entries);
  platform.tail = argument;

  require(balvix::runProgram(platform) == 0, "the exit code is 0");
  require(platform.locksTaken == 1 && !platform.locked,
          "the folder is locked once and released again");
  require(platform.toldWhileLocked == 0 && platform.writtenUnlocked == 0,
          "files are written only under the lock, the user told only after it");

  require(platform.fileBytes("config.txt") == config, "config.txt keeps its bytes");
  require(platform.fileBytes("entrada.txt") == entries, "entrada.txt keeps its bytes");
  for (const std::string& name : platform.listing()) {
    require(name == "config.txt" || name == "entrada.txt" || name == "Errores.txt" ||
                std::find(platform.reportNames.begin(), platform.reportNames.end(), name) !=
                    platform.reportNames.end(),
            "no other file is left in the program directory: " + name);
  }

  const std::vector<std::string>& said = platform.messages;
  const std::vector<std::string>& opened = platform.opened;
  require(said.size() <= 1, "the user is told at most one thing");
  std::optional<std::string> log = platform.fileBytes("Errores.txt");
  if (log) {
    checkErrorLog(*log);
  }
  if (!said.empty() && said.front() == balvix::inputErrorsMessage) {
    // The log is opened when it holds this start's faults; files that fail
    // without a faulty field (no movement, a period that ends before it
    // begins) leave none, and nothing is opened.
    require(opened == (log ? std::vector<std::string>{"Errores.txt"} : std::vector<std::string>{}),
            "a refusal opens the error log it wrote, and nothing else");
    require(platform.reportNames.empty(), "a refused start writes no report");
    return 0;
  }
  require(!log, "Errores.txt is left only by a refused start");
  // A balance beyond any number ends the run early: it is told, and the
  // report opened as any other.
  const bool overflowed = !said.empty() && said.front() == balvix::balanceOverflowMessage;
  if (!said.empty() && !overflowed) {
    require(said.front() == balvix::usageText || said.front() == balvix::outsidePeriodMessage,
            "the start ends with one of the program's answers: " + said.front());
    require(opened.empty() && platform.reportNames.empty(), "such a start writes no report");
    return 0;
  }
  require(opened.size() == 1 && platform.reportNames.size() == 1 &&
              opened.front() == platform.reportNames.front(),
          "a run opens the report it wrote");
  std::optional<std::string> report = platform.fileBytes(opened.front());
  require(report.has_value(), "the opened report exists");
  checkReport(*report, overflowed);
  return 0;
}
