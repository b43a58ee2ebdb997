#include "projection/hundredths.h"

#include <charconv>
#include <cstddef>
#include <system_error>

namespace balvix {

namespace {

// Significant digits on which the rounding to hundredths is judged.
constexpr int judgedDigits = 18;

// A magnitude's decimal expansion to judgedDigits significant digits.
struct Significand {
  std::string digits; // the digits without the point: d.ddd...e±x gives dddd...
  int exponent = 0;   // the power of ten of the first digit
};

// The expansion of a magnitude, its last digit rounded by the exact
// conversion; nothing when it cannot be written.
std::optional<Significand> significandOf(double magnitude) {
  // d.ddddddddddddddddde±x: the value to 18 significant digits.
  std::array<char, 64> buffer{};
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                 std::chars_format::scientific, judgedDigits - 1);
  if (ec != std::errc{}) {
    return std::nullopt;
  }
  std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
  std::size_t e = text.find('e');
  Significand found;
  for (char c : text.substr(0, e)) {
    if (c != '.') {
      found.digits += c;
    }
  }
  std::string_view exponentText = text.substr(e + 1);
  if (!exponentText.empty() && exponentText.front() == '+') {
    exponentText.remove_prefix(1);
  }
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), found.exponent);
  return found;
}

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

// True when the digits `dropped` below the hundredths (at least one) round
// the digits `kept` up: more than one half, or exactly one half after an odd
// last digit.
bool roundsUp(std::string_view dropped, std::string_view kept) {
  // Below the hundredths the whole dropped part is judged against one half.
  const char first = dropped.front();
  const bool restIsZero = dropped.find_first_not_of('0', 1) == std::string_view::npos;
  if (first > '5' || (first == '5' && !restIsZero)) {
    return true;
  }
  return first == '5' && !kept.empty() && (kept.back() - '0') % 2 == 1;
}

// The hundredths of an expansion, rounded, as decimal digits that may start
// with zeros.
std::string hundredthsOf(const Significand& value) {
  // Digits of the significand that lie at or before the hundredths place.
  const int kept = value.exponent + 1 + 2;
  if (kept >= judgedDigits) {
    std::string result = value.digits;
    result.append(static_cast<std::size_t>(kept - judgedDigits), '0');
    return result;
  }
  if (kept < 0) {
    // The value lies below a thousandth and rounds to zero.
    return {};
  }
  std::string result = value.digits.substr(0, static_cast<std::size_t>(kept));
  if (roundsUp(std::string_view(value.digits).substr(static_cast<std::size_t>(kept)), result)) {
    incrementDigits(result);
  }
  return result;
}

} // namespace

std::string hundredthsFromText(double magnitude) {
  const std::optional<Significand> value = significandOf(magnitude);
  if (!value) {
    return {};
  }
  const std::string result = hundredthsOf(*value);
  const std::size_t firstNonZero = result.find_first_not_of('0');
  return firstNonZero == std::string::npos ? std::string{} : result.substr(firstNonZero);
}

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

} // namespace balvix
