#include "projection/money.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
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
// leading zeros (empty for zero).
std::string hundredthsOf(double magnitude) {
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

} // namespace

std::string formatMoney(double value) {
  if (!std::isfinite(value)) {
    // Not an amount anyone can have; written so that it shows, never rounded.
    if (std::isnan(value)) {
      return "nan";
    }
    return value < 0 ? "-inf" : "inf";
  }
  std::string hundredths = hundredthsOf(std::fabs(value));
  if (hundredths.size() < 2) {
    hundredths.insert(0, 2 - hundredths.size(), '0');
  }
  std::string_view units(hundredths.data(), hundredths.size() - 2);
  std::string_view cents(hundredths.data() + units.size(), 2);

  std::string text;
  if (std::signbit(value) && hundredths != "00") {
    text += '-';
  }
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (i > 0 && (units.size() - i) % 3 == 0) {
      text += '.';
    }
    text += units[i];
  }
  text += '\'';
  text += cents;
  return text;
}

} // namespace balvix
