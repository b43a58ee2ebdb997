#include "projection/cents.h"

#include "projection/hundredths.h"
#include "projection/money.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

namespace balvix {

double roundedToCent(double value) {
  if (!std::isfinite(value)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  // Where the product by 100 settles the hundredths (productHundredths),
  // they over 100 are the same nearest double as their text read back below.
  if (const std::optional<std::uint64_t> cents = productHundredths(std::fabs(value))) {
    const double magnitude = static_cast<double>(*cents) / 100;
    return *cents == 0 ? 0 : (value < 0 ? -magnitude : magnitude);
  }
  // The hundredths as a number in scientific form, read back as the nearest
  // double (strtod rounds so in every C library we build with; the text has
  // no decimal point, so the locale plays no part).
  std::string digits = roundedHundredths(value);
  if (digits.empty()) {
    return 0;
  }
  digits += "e-2";
  const double rounded = std::strtod(digits.c_str(), nullptr);
  return value < 0 ? -rounded : rounded;
}

} // namespace balvix
