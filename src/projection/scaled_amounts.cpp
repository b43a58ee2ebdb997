#include "projection/scaled_amounts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>

namespace balvix {

namespace {

// The amount's decimal text to 15 significant digits as whole digits and a
// power of ten, trailing zeros dropped: 62.35 is {6235, -2}.
struct Decimal {
  std::uint64_t digits = 0;
  int exponent = 0;
};

std::optional<Decimal> decimalOf(double amount) {
  std::array<char, 64> buffer{};
  // 15 significant digits give back the text of any amount read from at
  // most 15 (trailing zeros are dropped below).
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), amount,
                                       std::chars_format::scientific, 14);
  if (ec != std::errc{}) {
    return std::nullopt;
  }
  const std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
  const std::size_t e = text.find('e');
  Decimal decimal;
  int fractionDigits = 0;
  bool afterPoint = false;
  for (char c : text.substr(0, e)) {
    if (c == '.') {
      afterPoint = true;
    } else {
      decimal.digits = decimal.digits * 10 + static_cast<std::uint64_t>(c - '0');
      fractionDigits += afterPoint ? 1 : 0;
    }
  }
  std::string_view exponentText = text.substr(e + 1);
  if (exponentText.starts_with('+')) {
    exponentText.remove_prefix(1);
  }
  int exponent = 0;
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
  decimal.exponent = exponent - fractionDigits;
  while (decimal.digits != 0 && decimal.digits % 10 == 0) {
    decimal.digits /= 10;
    ++decimal.exponent;
  }
  return decimal;
}

// The cents `cents` as the nearest number.
double fromCents(std::uint64_t cents) {
  std::array<char, 32> text{};
  char* end = std::to_chars(text.data(), text.data() + text.size() - 4, cents).ptr;
  std::string_view("e-2").copy(end, 3);
  return std::strtod(text.data(), nullptr);
}

} // namespace

double scaledAmount(double amount, int percent) {
  const auto factor = static_cast<std::uint64_t>(std::max(100 + percent, 0));
  if (factor == 0) {
    return 0; // -100 %: nothing of it is left
  }
  const std::optional<Decimal> decimal = amount < 1e15 ? decimalOf(amount) : std::nullopt;
  if (!decimal || decimal->digits > std::numeric_limits<std::uint64_t>::max() / factor) {
    return amount * static_cast<double>(factor) / 100;
  }
  // The amount in cents, scaled, is digits × factor × 10^exponent.
  std::uint64_t product = decimal->digits * factor;
  if (decimal->exponent >= 0) {
    // Below 10^15 with no decimals: at most 15 digits, 10^exponent at most 10^14.
    for (int i = 0; i < decimal->exponent; ++i) {
      product *= 10;
    }
    return fromCents(product);
  }
  if (decimal->exponent < -19) {
    return 0; // the product is below 1.9 × 10^19, so below half a cent
  }
  std::uint64_t divisor = 1;
  for (int i = 0; i < -decimal->exponent; ++i) {
    divisor *= 10;
  }
  const std::uint64_t rest = product % divisor;
  return fromCents(product / divisor + (rest >= divisor - rest ? 1 : 0));
}

ScaledMovements::ScaledMovements(const MovementList& movements) : originals_(movements) {
  copies_.reserve(movements.size());
  for (const Entry* entry : movements) {
    copies_.push_back(*entry);
  }
  for (const Entry& copy : copies_) {
    list_.push_back(&copy);
  }
}

void ScaledMovements::scale(std::optional<int> expensePercent, std::optional<int> incomePercent) {
  for (std::size_t i = 0; i < copies_.size(); ++i) {
    const Entry& original = *originals_[i];
    const std::optional<int> percent =
        original.action == Action::remove ? expensePercent : incomePercent;
    copies_[i].amount = percent ? scaledAmount(original.amount, *percent) : original.amount;
  }
}

} // namespace balvix
