#include "projection/money.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <system_error>

namespace balvix {

namespace {

// Significant digits on which the rounding to hundredths is judged.
constexpr int judgedDigits = 18;

// Adds one to a string of decimal digits, growing it by a digit on carry.
void incrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

// The magnitude of a finite value in hundredths, as decimal digits without
// leading zeros (empty for zero), from the value's decimal text.
std::string hundredthsFromText(double magnitude) {
  // d.ddddddddddddddddde±x: the value to 18 significant digits, the last one
  // rounded by the exact conversion.
  std::array<char, 64> buffer{};
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                 std::chars_format::scientific, judgedDigits - 1);
  if (ec != std::errc{}) {
    return {};
  }
  std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
  std::size_t e = text.find('e');
  std::string significand;
  for (char c : text.substr(0, e)) {
    if (c != '.') {
      significand += c;
    }
  }
  int exponent = 0;
  std::string_view exponentText = text.substr(e + 1);
  if (!exponentText.empty() && exponentText.front() == '+') {
    exponentText.remove_prefix(1);
  }
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

  // Digits of the significand that lie at or before the hundredths place.
  int kept = exponent + 1 + 2;
  std::string result;
  if (kept >= judgedDigits) {
    result = significand;
    result.append(static_cast<std::size_t>(kept - judgedDigits), '0');
  } else {
    std::string_view dropped(significand);
    if (kept > 0) {
      result = significand.substr(0, static_cast<std::size_t>(kept));
      dropped.remove_prefix(static_cast<std::size_t>(kept));
    }
    bool roundUp = false;
    if (kept >= 0) {
      // Below the hundredths the whole dropped part is judged against one half.
      char first = dropped.front();
      bool restIsZero = dropped.find_first_not_of('0', 1) == std::string_view::npos;
      if (first > '5' || (first == '5' && !restIsZero)) {
        roundUp = true;
      } else if (first == '5') {
        bool lastKeptOdd = !result.empty() && (result.back() - '0') % 2 == 1;
        roundUp = lastKeptOdd;
      }
    }
    // kept < 0: the value lies below a thousandth and rounds to zero.
    if (roundUp) {
      incrementDigits(result);
    }
  }
  std::size_t firstNonZero = result.find_first_not_of('0');
  return firstNonZero == std::string::npos ? std::string{} : result.substr(firstNonZero);
}

// Below this magnitude the hundredths of most values follow from the product
// by 100 (see hundredthsDigits).
constexpr double productRouteLimit = 1e13;

// The three decimal digits of each number below 1000, one after the other:
// "000001002...999".
constexpr std::array<char, 3000> threeDigits = [] {
  std::array<char, 3000> digits{};
  for (std::size_t n = 0; n < 1000; ++n) {
    digits[3 * n] = static_cast<char>('0' + n / 100);
    digits[3 * n + 1] = static_cast<char>('0' + n / 10 % 10);
    digits[3 * n + 2] = static_cast<char>('0' + n % 10);
  }
  return digits;
}();

// The last `count` digits of `n` (below 1000) as threeDigits holds them.
const char* lastDigits(std::uint64_t n, std::size_t count) {
  return threeDigits.data() + 3 * n + (3 - count);
}

// The whole units of an amount as writeThousands takes them, three digits at
// a time from the right: held in a number (the amounts the product by 100
// settles, written without making their digits first),
class NumberUnits {
public:
  explicit NumberUnits(std::uint64_t units) : units_(units) {}
  bool moreThanThree() const { return units_ >= 1000; }
  // The last three digits, taken away.
  const char* takeThree() {
    const char* digits = lastDigits(units_ % 1000, 3);
    units_ /= 1000;
    return digits;
  }
  // Writes the one to three digits left (none for zero) so that they end at
  // `end`, and returns where they begin.
  char* putRest(char* end) const {
    if (units_ >= 100) {
      end -= 3;
      std::memcpy(end, lastDigits(units_, 3), 3);
    } else if (units_ >= 10) {
      end -= 2;
      std::memcpy(end, lastDigits(units_, 2), 2);
    } else if (units_ > 0) {
      *--end = static_cast<char>('0' + units_);
    }
    return end;
  }

private:
  std::uint64_t units_;
};

// or held as decimal digits without leading zeros, however many.
class DigitUnits {
public:
  explicit DigitUnits(std::string_view digits) : digits_(digits) {}
  bool moreThanThree() const { return digits_.size() > 3; }
  const char* takeThree() {
    digits_.remove_suffix(3);
    return digits_.data() + digits_.size();
  }
  // As NumberUnits::putRest.
  char* putRest(char* end) const {
    end -= digits_.size();
    std::copy(digits_.begin(), digits_.end(), end);
    return end;
  }

private:
  std::string_view digits_;
};

// Writes the units with a point between groups of three, counted from the
// right, so that they end at `end`, and returns where they begin: the one
// home of the grouping, whichever way the units are held.
template <class Units> char* writeThousands(char* end, Units units) {
  for (; units.moreThanThree(); end -= 4) {
    std::memcpy(end - 3, units.takeThree(), 3);
    end[-4] = '.';
  }
  return units.putRest(end);
}

std::size_t thousandsSize(std::size_t digits) {
  return digits + (digits == 0 ? 0 : (digits - 1) / 3);
}

} // namespace

void appendThousands(std::string& text, std::string_view digits) {
  text.resize(text.size() + thousandsSize(digits.size()));
  writeThousands(text.data() + text.size(), DigitUnits(digits));
}

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

} // namespace

void appendGrouped(std::string& text, bool negative, std::string_view hundredths) {
  text.resize(text.size() + groupedSize(negative, hundredths));
  writeGrouped(text.data() + text.size(), negative, hundredths);
}

namespace {

// The magnitude in hundredths, rounded as formatMoney rounds it, when the
// product by 100 settles it; nothing near a half hundredth and from 10^13 up.
std::optional<std::uint64_t> productHundredths(double magnitude) {
  if (magnitude < productRouteLimit) {
    // Most amounts lie well away from a half hundredth. Below 10^13 the
    // product by 100 is off the exact one by at most 1/16, and the 18 digits
    // judged are off by less than 1/1000 of a hundredth: when the product lies
    // within a quarter of a whole number, that number is the rounded amount.
    // The product's whole part fits, and the nearest whole number is it or
    // the next.
    const double product = magnitude * 100;
    auto hundredths = static_cast<std::uint64_t>(product);
    if (product - static_cast<double>(hundredths) >= 0.5) {
      ++hundredths;
    }
    if (std::fabs(product - static_cast<double>(hundredths)) < 0.25) {
      return hundredths;
    }
  }
  return std::nullopt;
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

// The digits of a finite magnitude in hundredths as formatMoney rounds it,
// without leading zeros (empty for zero). They are in `buffer` when the
// product by 100 settles them, in `large` otherwise.
std::string_view hundredthsDigits(double magnitude, std::array<char, 24>& buffer,
                                  std::string& large) {
  if (const std::optional<std::uint64_t> hundredths = productHundredths(magnitude)) {
    if (*hundredths == 0) {
      return {};
    }
    char* end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), *hundredths).ptr;
    return {buffer.data(), static_cast<std::size_t>(end - buffer.data())};
  }
  // Near a half hundredth, and beyond the product's reach: the exact route.
  large = hundredthsFromText(magnitude);
  return large;
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
