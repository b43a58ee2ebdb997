#include "report/report.h"

namespace balvix {

namespace {

constexpr std::string_view lineEnd = "\r\n";
constexpr std::string_view equals = " = ";

std::uint32_t sizeSince(const std::string& text, std::size_t at) {
  return static_cast<std::uint32_t>(text.size() - at);
}

} // namespace

ReportWriter::ReportWriter(RunFile& file, const std::vector<Entry>& entries, double openingBalance)
    : file_(file), entries_(entries), placed_(entries.size()),
      balance_(openingBalance), balanceTexts_{MoneyText(openingBalance),
                                              MoneyText(openingBalance)} {
  // Room for every movement's pieces with an amount of up to 19 characters,
  // so that the store is not copied as it grows.
  std::size_t room = 0;
  for (const Entry& entry : entries) {
    room += entry.comment.size() + entry.when.size() + 48;
  }
  store_.reserve(room);
}

ReportWriter::Placed ReportWriter::writeTexts(const Entry& entry) {
  Placed placed{store_.size()};
  store_ += entry.comment;
  store_ += ' ';
  placed.head = sizeSince(store_, placed.at);
  store_ += ' ';
  store_ += wordOf(entry.action);
  store_ += ' ';
  appendMoney(store_, entry.amount);
  store_ += equals;
  placed.middle = sizeSince(store_, placed.at) - placed.head;
  store_ += ' ';
  store_ += wordOf(entry.moment);
  store_ += ' ';
  store_ += entry.when;
  store_ += lineEnd;
  store_ += lineEnd;
  placed.tail = sizeSince(store_, placed.at) - placed.head - placed.middle;
  return placed;
}

ReportWriter::Pieces ReportWriter::piecesOf(std::size_t movement) {
  Placed& placed = placed_[movement];
  if (placed.tail == 0) {
    placed = writeTexts(entries_[movement]);
  }
  const char* head = store_.data() + placed.at;
  const char* middle = head + placed.head;
  const char* tail = middle + placed.middle;
  return {{head, placed.head}, {middle, placed.middle}, {tail, placed.tail}};
}

// "Martes 01/01/2013": the weekday name, then the day and month as two digits
// and the year as four.
void ReportWriter::day(const DateParts& date) {
  const std::string_view name = weekdayName(date.year, date.month, date.day);
  file_.appendEndedLines(name, " ", dateText(date), lineEnd);
}

// "ACTIVACIÓN !! " comment action amount moment when, one blank between the
// fields, which are written exactly as the movements file holds them.
void ReportWriter::activation(std::size_t movement) {
  const Pieces pieces = piecesOf(movement);
  // The movement line's pieces without the blank after the comment, the
  // " =" and the empty line.
  file_.appendEndedLines("ACTIVACI\xD3N !! ", pieces.head.substr(0, pieces.head.size() - 1),
                         pieces.middle.substr(0, pieces.middle.size() - equals.size()),
                         pieces.tail.substr(0, pieces.tail.size() - lineEnd.size()));
}

// comment, balance before, action, amount, "=", balance after, moment, when;
// then an empty line.
void ReportWriter::movement(std::size_t movement, double before, double after) {
  MoneyText& beforeText = balanceTexts_[balanceAt_];
  MoneyText& afterText = balanceTexts_[1 - balanceAt_];
  // Each movement starts from the balance the one before it left.
  if (before != balance_) {
    beforeText.assign(before);
  }
  afterText.assign(after);
  const Pieces pieces = piecesOf(movement);
  file_.appendEndedLines(pieces.head, beforeText.view(), pieces.middle, afterText.view(),
                         pieces.tail);
  balanceAt_ = 1 - balanceAt_;
  balance_ = after;
}

void ReportWriter::overflow(std::size_t movement) {
  overflowMovement_ = movement;
}

// Two empty lines, then "Saldo total = " and the final balance, or what
// stopped the walk.
void ReportWriter::closing(double balance) {
  if (overflowMovement_) {
    file_.appendEndedLines(lineEnd, lineEnd, "El saldo ya no cabe en un n\xFAmero con \"",
                           entries_[*overflowMovement_].comment,
                           "\": el informe termina aqu\xED ...", lineEnd);
    return;
  }
  file_.appendEndedLines(lineEnd, lineEnd, "Saldo total = ", MoneyText(balance).view(), lineEnd);
}

} // namespace balvix
