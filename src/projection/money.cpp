#include "projection/money.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
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

} // namespace

void appendThousands(std::string& text, std::string_view digits) {
  const std::size_t at = text.size();
  text.resize(at + digits.size() + (digits.empty() ? 0 : (digits.size() - 1) / 3));
  char* out = text.data() + at;
  // The first group has one to three digits, every other group three.
  std::size_t untilPoint = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
  for (char c : digits) {
    if (untilPoint == 0) {
      *out++ = '.';
      untilPoint = 3;
    }
    *out++ = c;
    --untilPoint;
  }
}

void appendGrouped(std::string& text, bool negative, std::string_view hundredths) {
  const std::size_t unitCount = hundredths.size() > 2 ? hundredths.size() - 2 : 0;
  if (negative && !hundredths.empty()) {
    text += '-';
  }
  appendThousands(text, hundredths.substr(0, unitCount));
  text += '\'';
  text.append(hundredths.size() < 2 ? 2 - hundredths.size() : 0, '0');
  text += hundredths.substr(unitCount);
}

namespace {

// The digits of a finite magnitude in hundredths as formatMoney rounds it,
// without leading zeros (empty for zero). They are in `buffer` when the
// product by 100 settles them, in `large` otherwise.
std::string_view hundredthsDigits(double magnitude, std::array<char, 24>& buffer,
                                  std::string& large) {
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
      if (hundredths == 0) {
        return {};
      }
      char* end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), hundredths).ptr;
      return {buffer.data(), static_cast<std::size_t>(end - buffer.data())};
    }
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

void appendMoney(std::string& text, double value) {
  if (!std::isfinite(value)) {
    // Not an amount anyone can have; written so that it shows, never rounded.
    if (std::isnan(value)) {
      text += "nan";
    } else {
      text += value < 0 ? "-inf" : "inf";
    }
    return;
  }
  std::array<char, 24> buffer{};
  std::string large;
  appendGrouped(text, std::signbit(value), hundredthsDigits(std::fabs(value), buffer, large));
}

std::string roundedHundredths(double value) {
  std::array<char, 24> buffer{};
  std::string large;
  return std::string(hundredthsDigits(std::fabs(value), buffer, large));
}

std::string formatMoney(double value) {
  std::string text;
  appendMoney(text, value);
  return text;
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
