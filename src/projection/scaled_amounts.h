#pragma once

#include "input/entries.h"

#include <optional>
#include <vector>

namespace balvix {

// `amount` (0 or more) multiplied by (100 + percent) / 100 and rounded to
// the cent, an exact half away from zero, as the nearest number: the product
// is judged on the amount's decimal text to 15 significant digits, the one
// the amount was read from when it had at most 15 (62.35 at +10 gives
// 68.59, 0.125 at 0 gives 0.13, anything at -100 gives 0). `percent` is -100
// or more. From about 10^15 up, where numbers hold no cents, the amount
// multiplied is the answer.
double scaledAmount(double amount, int percent);

// The movements of a walk with their amounts scaled: copies of the records
// of `movements`, in the same order, each "quitar" amount scaled by one
// percent and each "poner" amount by another (scaledAmount). The records
// `movements` points to must outlive it; list() names the copies.
class ScaledMovements {
public:
  explicit ScaledMovements(const MovementList& movements);

  // Scales every copy from its original amount: the "quitar" ones by
  // `expensePercent`, the "poner" ones by `incomePercent`; without a
  // percent, those amounts are the originals.
  void scale(std::optional<int> expensePercent, std::optional<int> incomePercent);

  // The copies, for walkDays: the walk's events name them by the same index
  // as the originals.
  const MovementList& list() const { return list_; }

private:
  const MovementList& originals_;
  std::vector<Entry> copies_;
  MovementList list_;
};

} // namespace balvix
