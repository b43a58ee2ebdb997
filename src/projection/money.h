#pragma once

#include <array>
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace balvix {

// The report's text of an amount: rounded to hundredths (judged on its
// decimal expansion to 18 significant digits, an exact half going to the even
// hundredth), "." between groups of three digits, "'" before the two decimals,
// no digit before "'" when the amount is below one, and "-" before a negative
// amount whose text is not zero. 1234567.5 gives 1.234.567'50, 0.5 gives '50,
// -250 gives -250'00.
std::string formatMoney(double value);

// Appends the text formatMoney gives to `text`.
void appendMoney(std::string& text, double value);

// The text formatMoney gives, held in place: making one takes no memory from
// the heap for the amounts the product by 100 rounds (all below 10^13 but
// those within a thousandth of a hundredth of a half).
class MoneyText {
public:
  explicit MoneyText(double value);
  // Makes this the text of `value`.
  void assign(double value);
  std::string_view view() const { return {chars_.data() + begin_, end_ - begin_}; }

private:
  // The largest double has 309 digits before the point.
  static constexpr std::size_t mostUnits = std::numeric_limits<double>::max_exponent10 + 1;
  std::array<char, 1 + mostUnits + (mostUnits - 1) / 3 + 3> chars_;
  std::size_t begin_ = 0; // the text is chars_[begin_, end_)
  std::size_t end_ = 0;
};

// Appends the text of an amount whose magnitude in hundredths has the decimal
// digits `hundredths` (no leading zeros; empty for zero), as formatMoney
// writes it: "123456" gives 1.234'56, "5" gives '05, and with `negative` a
// "-" before any but the zero text.
void appendGrouped(std::string& text, bool negative, std::string_view hundredths);

// The magnitude of a finite `value` in hundredths, rounded as formatMoney
// rounds it, as decimal digits without leading zeros (empty when it is
// written as zero): 1234.5 gives "123450", -0.125 "12", 0.004 "". The texts
// of other forms of the amount are built from these digits.
std::string roundedHundredths(double value);

// Appends the decimal digits of a whole number with a point between groups of
// three, counted from the right: "1234567" gives 1.234.567. The one home of
// the thousands grouping.
void appendThousands(std::string& text, std::string_view digits);

// An amount of at least 0 held exactly in decimal, however many digits it
// has: the digits before the point without leading zeros, and those after it
// without trailing zeros, so that equal amounts are equal records ("007.50"
// is {"7", "5"}, "0" is {"", ""}).
struct ExactAmount {
  std::string units;
  std::string fraction;

  friend bool operator==(const ExactAmount&, const ExactAmount&) = default;
};

// True when `balance`, rounded to hundredths exactly as formatMoney writes
// it, is at or above `target`. A balance written '00 is 0, also a negative
// one; any other negative balance, and NaN, never reaches a target; an
// infinite positive one reaches every target.
bool reachesAmount(double balance, const ExactAmount& target);

} // namespace balvix
