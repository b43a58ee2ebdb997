#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace balvix {

// The whole units of an amount or a count written with a point between groups
// of three digits, counted from the right (1.234.567), from the end of the
// text back, whichever way the units are held.

// The three decimal digits of each number below 1000, one after the other:
// "000001002...999".
extern const std::array<char, 3000> threeDigits;

// The last `count` (1 to 3) digits of `n` (below 1000), as threeDigits holds
// them: not ended by a zero byte.
inline const char* lastDigits(std::uint64_t n, std::size_t count) {
  return threeDigits.data() + 3 * n + (3 - count);
}

// Units held in a number (the amounts the product by 100 settles, written
// without making their digits first), taken three digits at a time from the
// right,
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
  // As NumberUnits::takeThree.
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

// Writes the units (NumberUnits or DigitUnits) with a point between groups of
// three, counted from the right, so that they end at `end`, and returns where
// they begin: the one home of the grouping, whichever way the units are held.
// There must be room for thousandsSize of their digit count before `end`.
template <class Units> char* writeThousands(char* end, Units units) {
  for (; units.moreThanThree(); end -= 4) {
    std::memcpy(end - 3, units.takeThree(), 3);
    end[-4] = '.';
  }
  return units.putRest(end);
}

// The size of the text writeThousands writes for units of `digits` digits
// (none for zero).
inline std::size_t thousandsSize(std::size_t digits) {
  return digits + (digits == 0 ? 0 : (digits - 1) / 3);
}

} // namespace balvix
