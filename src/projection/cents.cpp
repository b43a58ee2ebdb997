#include "projection/cents.h"

#include "projection/money.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace balvix {

double roundedToCent(double value) {
  if (!std::isfinite(value)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  // Most balances are far from a half cent: their nearest cent is plain in
  // the product by 100, whose error is below a thousandth of a cent while
  // the amount is below a thousand million, and that cent over 100 is the
  // same nearest double as the text read back below. Only amounts near a
  // half cent, or larger, take the exact way.
  const double hundredths = std::fabs(value) * 100;
  const double whole = std::floor(hundredths);
  const double part = hundredths - whole;
  if (hundredths < 1e11 && std::fabs(part - 0.5) > 1e-3) {
    const double cents = part < 0.5 ? whole : whole + 1;
    return cents == 0 ? 0 : (value < 0 ? -cents : cents) / 100;
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
