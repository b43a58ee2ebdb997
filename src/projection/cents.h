#pragma once

namespace balvix {

// The amount rounded to the cent as the report writes it, as the nearest
// number (NaN for one that is not finite): equal report texts give equal
// numbers and a lower text never a higher number, so balances can be
// compared as the user sees them.
double roundedToCent(double value);

} // namespace balvix
