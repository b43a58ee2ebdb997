#include "projection/report.h"

#include "projection/money.h"

namespace balvix {

namespace {

constexpr std::string_view lineEnd = "\r\n";

// " moment when", the end of both the activation and the movement line.
void appendTiming(std::string& line, const Entry& entry) {
  line += ' ';
  line += wordOf(entry.moment);
  line += ' ';
  line += entry.when;
}

} // namespace

ReportWriter::ReportWriter(LineSink& sink, const std::vector<Entry>& entries, double openingBalance)
    : sink_(sink), entries_(entries), actionAndAmount_(entries.size()), balance_(openingBalance) {
  appendMoney(balanceText_, balance_);
}

const std::string& ReportWriter::actionAndAmountOf(std::size_t movement) {
  std::string& text = actionAndAmount_[movement];
  if (text.empty()) {
    const Entry& entry = entries_[movement];
    text += ' ';
    text += wordOf(entry.action);
    text += ' ';
    appendMoney(text, entry.amount);
  }
  return text;
}

// "Martes 01/01/2013": the weekday name, then the day and month as two digits
// and the year as four.
void ReportWriter::day(const DateParts& date) {
  line_.assign(weekdayName(date.year, date.month, date.day));
  line_ += ' ';
  appendDate(line_, date);
  sink_.appendLine(line_);
}

// "ACTIVACIÓN !! " comment action amount moment when, one blank between the
// fields, which are written exactly as the movements file holds them.
void ReportWriter::activation(std::size_t movement) {
  const Entry& entry = entries_[movement];
  line_.assign("ACTIVACI\xD3N !! ");
  line_ += entry.comment;
  line_ += actionAndAmountOf(movement);
  appendTiming(line_, entry);
  sink_.appendLine(line_);
}

// comment, balance before, action, amount, "=", balance after, moment, when;
// then an empty line.
void ReportWriter::movement(std::size_t movement, double before, double after) {
  // Each movement starts from the balance the one before it left.
  if (before != balance_) {
    balanceText_.clear();
    appendMoney(balanceText_, before);
  }
  const Entry& entry = entries_[movement];
  line_.assign(entry.comment);
  line_ += ' ';
  line_ += balanceText_;
  line_ += actionAndAmountOf(movement);
  line_ += " = ";
  const std::size_t afterAt = line_.size();
  appendMoney(line_, after);
  balanceText_.assign(line_, afterAt);
  appendTiming(line_, entry);
  line_ += lineEnd; // and the empty line after it
  line_ += lineEnd;
  sink_.appendEndedLines(line_);
  balance_ = after;
}

// Two empty lines, then "Saldo total = " and the final balance.
void ReportWriter::closing(double balance) {
  sink_.appendLine("");
  sink_.appendLine("");
  line_.assign("Saldo total = ");
  appendMoney(line_, balance);
  sink_.appendLine(line_);
}

} // namespace balvix
