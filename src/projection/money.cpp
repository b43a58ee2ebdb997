#include "projection/money.h"

#include "projection/hundredths.h"
#include "projection/thousands.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace balvix {

namespace {

// The size of the text writeGrouped writes.
std::size_t groupedSize(bool negative, std::string_view hundredths) {
  const std::size_t unitCount = hundredths.size() > 2 ? hundredths.size() - 2 : 0;
  return (negative && !hundredths.empty() ? 1 : 0) + thousandsSize(unitCount) + 3;
}

// Writes what appendGrouped appends so that it ends at `end`, and returns
// where it begins.
char* writeGrouped(char* end, bool negative, std::string_view hundredths) {
  const std::size_t unitCount = hundredths.size() > 2 ? hundredths.size() - 2 : 0;
  // The apostrophe and two decimals, "5" giving '05 and "" '00.
  const std::string_view decimals = hundredths.substr(unitCount);
  char* out = end - 3;
  out[0] = '\'';
  out[1] = decimals.size() == 2 ? decimals[0] : '0';
  out[2] = decimals.empty() ? '0' : decimals.back();
  out = writeThousands(out, DigitUnits(hundredths.substr(0, unitCount)));
  if (negative && !hundredths.empty()) {
    *--out = '-';
  }
  return out;
}

// The same text as writeGrouped writes for the digits of `hundredths`,
// written from the number itself, three digits of a table at a time.
char* writeGrouped(char* end, bool negative, std::uint64_t hundredths) {
  char* out = end - 3;
  out[0] = '\'';
  std::memcpy(out + 1, lastDigits(hundredths % 100, 2), 2);
  out = writeThousands(out, NumberUnits(hundredths / 100));
  if (negative && hundredths != 0) {
    *--out = '-';
  }
  return out;
}

// True when the first amount is at or above the second, both held as
// ExactAmount holds them.
bool isAtLeast(std::string_view unitsA, std::string_view fractionA, std::string_view unitsB,
               std::string_view fractionB) {
  if (unitsA.size() != unitsB.size()) {
    return unitsA.size() > unitsB.size();
  }
  if (unitsA != unitsB) {
    return unitsA > unitsB;
  }
  // Without trailing zeros, fractions compare as texts: ".8" < ".801" < ".81".
  return fractionA >= fractionB;
}

} // namespace

void appendThousands(std::string& text, std::string_view digits) {
  text.resize(text.size() + thousandsSize(digits.size()));
  writeThousands(text.data() + text.size(), DigitUnits(digits));
}

void appendGrouped(std::string& text, bool negative, std::string_view hundredths) {
  text.resize(text.size() + groupedSize(negative, hundredths));
  writeGrouped(text.data() + text.size(), negative, hundredths);
}

MoneyText::MoneyText(double value) {
  assign(value);
}

void MoneyText::assign(double value) {
  begin_ = 0;
  if (!std::isfinite(value)) {
    // Not an amount anyone can have; written so that it shows, never rounded.
    const std::string_view text = std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    std::memcpy(chars_.data(), text.data(), text.size());
    end_ = text.size();
    return;
  }
  // Written from the end of chars_ back.
  end_ = chars_.size();
  char* const end = chars_.data() + end_;
  const double magnitude = std::fabs(value);
  if (const std::optional<std::uint64_t> hundredths = productHundredths(magnitude)) {
    begin_ = static_cast<std::size_t>(writeGrouped(end, std::signbit(value), *hundredths) -
                                      chars_.data());
    return;
  }
  const std::string hundredths = hundredthsFromText(magnitude);
  begin_ =
      static_cast<std::size_t>(writeGrouped(end, std::signbit(value), hundredths) - chars_.data());
}

void appendMoney(std::string& text, double value) {
  text += MoneyText(value).view();
}

std::string roundedHundredths(double value) {
  std::array<char, 24> buffer{};
  std::string large;
  return std::string(hundredthsDigits(std::fabs(value), buffer, large));
}

std::string formatMoney(double value) {
  return std::string(MoneyText(value).view());
}

bool reachesAmount(double balance, const ExactAmount& target) {
  if (!std::isfinite(balance)) {
    return balance > 0;
  }
  std::array<char, 24> buffer{};
  std::string large;
  std::string_view hundredths = hundredthsDigits(std::fabs(balance), buffer, large);
  if (balance < 0 && !hundredths.empty()) {
    return false;
  }
  // The written balance as ExactAmount holds it: the units, and the two
  // decimals without trailing zeros.
  const std::size_t unitCount = hundredths.size() > 2 ? hundredths.size() - 2 : 0;
  std::string_view units = hundredths.substr(0, unitCount);
  std::string_view lastTwo = hundredths.substr(unitCount);
  const char tenths = lastTwo.size() == 2 ? lastTwo.front() : '0';
  const char cents = lastTwo.empty() ? '0' : lastTwo.back();
  const std::array<char, 2> decimals{tenths, cents};
  std::string_view fraction(decimals.data(), cents != '0' ? 2 : (tenths != '0' ? 1 : 0));
  return isAtLeast(units, fraction, target.units, target.fraction);
}

} // namespace balvix
