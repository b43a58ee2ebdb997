#include "projection/thousands.h"

namespace balvix {

constexpr std::array<char, 3000> threeDigits = [] {
  std::array<char, 3000> digits{};
  for (std::size_t n = 0; n < 1000; ++n) {
    digits[3 * n] = static_cast<char>('0' + n / 100);
    digits[3 * n + 1] = static_cast<char>('0' + n / 10 % 10);
    digits[3 * n + 2] = static_cast<char>('0' + n % 10);
  }
  return digits;
}();

} // namespace balvix
