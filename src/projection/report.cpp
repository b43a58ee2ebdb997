#include "projection/report.h"

#include "projection/money.h"

namespace balvix {

Report::Report(Platform& platform, std::string_view name) {
  if (platform.removeFile(name)) {
    file_ = platform.openForAppend(name);
  }
  wholeWritten_ = file_ != nullptr;
}

void Report::appendLine(std::string_view line) {
  if (!file_ || !file_->appendLine(line)) {
    wholeWritten_ = false;
  }
}

void LineSink::appendEndedLines(std::string_view lines) {
  for (std::size_t end; (end = lines.find("\r\n")) != std::string_view::npos;) {
    appendLine(lines.substr(0, end));
    lines.remove_prefix(end + 2);
  }
}

void Report::appendEndedLines(std::string_view lines) {
  if (!file_ || !file_->appendEndedLines(lines)) {
    wholeWritten_ = false;
  }
}

void Report::close() {
  if (file_ && !file_->close()) {
    wholeWritten_ = false;
  }
  file_.reset();
}

void appendDayLine(std::string& line, const DateParts& day) {
  line += weekdayName(day.year, day.month, day.day);
  line += ' ';
  appendDate(line, day);
}

namespace {

// " moment when", the end of both the activation and the movement line.
void appendTiming(std::string& line, const Entry& entry) {
  line += ' ';
  line += wordOf(entry.moment);
  line += ' ';
  line += entry.when;
}

} // namespace

void appendActivationLine(std::string& line, const Entry& entry, std::string_view amountText) {
  line += "ACTIVACI\xD3N !! ";
  line += entry.comment;
  line += ' ';
  line += wordOf(entry.action);
  line += ' ';
  line += amountText;
  appendTiming(line, entry);
}

void appendMovementLine(std::string& line, const Entry& entry, std::string_view beforeText,
                        std::string_view amountText, std::string_view afterText) {
  line += entry.comment;
  line += ' ';
  line += beforeText;
  line += ' ';
  line += wordOf(entry.action);
  line += ' ';
  line += amountText;
  line += " = ";
  line += afterText;
  appendTiming(line, entry);
}

namespace {

constexpr std::string_view lineEnd = "\r\n";

} // namespace

ReportWriter::ReportWriter(LineSink& sink, const std::vector<Entry>& entries, double openingBalance)
    : sink_(sink), entries_(entries), pieces_(entries.size()), balance_(openingBalance) {
  appendMoney(balanceText_, balance_);
  // Room for the pieces of every movement, at once (amounts of up to 20
  // characters): growing step by step would move them each time.
  std::size_t size = 0;
  for (const Entry& entry : entries) {
    size += entry.comment.size() + entry.when.size() + 40;
  }
  pieceText_.reserve(size);
}

const ReportWriter::Pieces& ReportWriter::piecesOf(std::size_t movement) {
  Pieces& pieces = pieces_[movement];
  if (pieces.end == 0) {
    // The movement line with empty balances, cut where they go.
    const Entry& entry = entries_[movement];
    const std::string amount = formatMoney(entry.amount);
    pieces.start = pieceText_.size();
    appendMovementLine(pieceText_, entry, "", amount, "");
    pieces.end = pieceText_.size();
    pieces.headEnd = pieces.start + entry.comment.size() + 1;
    pieces.middleEnd = pieceText_.find(amount + " = ", pieces.headEnd) + amount.size() + 3;
  }
  return pieces;
}

void ReportWriter::day(const DateParts& date) {
  line_.clear();
  appendDayLine(line_, date);
  line_ += lineEnd;
  sink_.appendEndedLines(line_);
}

void ReportWriter::activation(std::size_t movement) {
  line_.clear();
  appendActivationLine(line_, entries_[movement], formatMoney(entries_[movement].amount));
  sink_.appendLine(line_);
}

void ReportWriter::movement(std::size_t movement, double before, double after) {
  // Each movement starts from the balance the one before it left.
  if (before != balance_) {
    balanceText_.clear();
    appendMoney(balanceText_, before);
  }
  const Pieces& pieces = piecesOf(movement);
  const std::string_view text = pieceText_;
  line_.assign(text.substr(pieces.start, pieces.headEnd - pieces.start));
  line_ += balanceText_;
  line_ += text.substr(pieces.headEnd, pieces.middleEnd - pieces.headEnd);
  const std::size_t afterAt = line_.size();
  appendMoney(line_, after);
  balanceText_.assign(line_, afterAt);
  line_ += text.substr(pieces.middleEnd, pieces.end - pieces.middleEnd);
  line_ += lineEnd; // and the empty line after it
  line_ += lineEnd;
  sink_.appendEndedLines(line_);
  balance_ = after;
}

void ReportWriter::closing(double balance) {
  sink_.appendLine("");
  sink_.appendLine("");
  sink_.appendLine(closingLine(balance));
}

std::string dayLine(const DateParts& day) {
  std::string line;
  appendDayLine(line, day);
  return line;
}

std::string activationLine(const Entry& entry) {
  std::string line;
  appendActivationLine(line, entry, formatMoney(entry.amount));
  return line;
}

std::string movementLine(const Entry& entry, double before, double after) {
  std::string line;
  appendMovementLine(line, entry, formatMoney(before), formatMoney(entry.amount),
                     formatMoney(after));
  return line;
}

std::string closingLine(double balance) {
  std::string line = "Saldo total = ";
  appendMoney(line, balance);
  return line;
}

} // namespace balvix
