#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace balvix {

// The rounding of an amount to hundredths that formatMoney writes: judged on
// the amount's decimal expansion to 18 significant digits, an exact half going
// to the even hundredth. Each function takes the magnitude of a finite amount
// (at least 0).

// Below this magnitude the hundredths of most values follow from the product
// by 100 (see productHundredths).
inline constexpr double productRouteLimit = 1e13;

// The rounded hundredths when the product by 100 settles them: below 10^13,
// for every amount that does not lie within a thousandth of a hundredth of a
// half; nothing otherwise. (Defined here, since every amount written takes
// this route first.)
inline std::optional<std::uint64_t> productHundredths(double magnitude) {
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

// The rounded hundredths from the amount's decimal text, as decimal digits
// without leading zeros (empty when they are zero): right for every
// magnitude, and slower than the product.
std::string hundredthsFromText(double magnitude);

// The rounded hundredths as decimal digits without leading zeros (empty when
// they are zero), by the quickest route that settles them: the digits lie in
// `buffer` when the product by 100 settles them, in `large` otherwise.
std::string_view hundredthsDigits(double magnitude, std::array<char, 24>& buffer,
                                  std::string& large);

} // namespace balvix
