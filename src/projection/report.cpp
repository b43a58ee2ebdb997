#include "projection/report.h"

#include "projection/money.h"

#include <utility>

namespace balvix {

Report::Report(Platform& platform, std::string name)
    : platform_(platform), name_(std::move(name)) {}

void Report::reset() {
  if (!platform_.removeFile(name_)) {
    earlierReportKept_ = true;
    wholeWritten_ = false;
  }
}

void Report::appendLine(std::string_view line) {
  if (earlierReportKept_ || !platform_.appendLine(name_, line)) {
    wholeWritten_ = false;
  }
}

void Report::open() {
  platform_.openDocument(name_);
}

namespace {

// The number in decimal digits, padded on the left with zeros to `width`.
std::string zeroPadded(int number, std::size_t width) {
  std::string digits = std::to_string(number < 0 ? -static_cast<long long>(number) : number);
  if (digits.size() < width) {
    digits.insert(0, width - digits.size(), '0');
  }
  return number < 0 ? "-" + digits : digits;
}

} // namespace

std::string dayLine(const DateParts& day) {
  std::string line(weekdayName(day.year, day.month, day.day));
  line += ' ';
  line += zeroPadded(day.day, 2);
  line += '/';
  line += zeroPadded(day.month, 2);
  line += '/';
  line += zeroPadded(day.year, 4);
  return line;
}

std::string activationLine(const Entry& entry) {
  std::string line = "ACTIVACI\xD3N !! ";
  line += entry.comment;
  line += ' ';
  line += entry.action;
  line += ' ';
  line += formatMoney(entry.amount);
  line += ' ';
  line += entry.moment;
  line += ' ';
  line += entry.when;
  return line;
}

std::string movementLine(const Entry& entry, double before, double after) {
  std::string line = entry.comment;
  line += ' ';
  line += formatMoney(before);
  line += ' ';
  line += entry.action;
  line += ' ';
  line += formatMoney(entry.amount);
  line += " = ";
  line += formatMoney(after);
  line += ' ';
  line += entry.moment;
  line += ' ';
  line += entry.when;
  return line;
}

std::string closingLine(double balance) {
  return "Saldo total = " + formatMoney(balance);
}

} // namespace balvix
