#pragma once

#include <string>

namespace balvix {

// The report's text of an amount: rounded to hundredths (judged on its
// decimal expansion to 18 significant digits, an exact half going to the even
// hundredth), "." between groups of three digits, "'" before the two decimals,
// no digit before "'" when the amount is below one, and "-" before a negative
// amount whose text is not zero. 1234567.5 gives 1.234.567'50, 0.5 gives '50,
// -250 gives -250'00.
std::string formatMoney(double value);

// Appends the text formatMoney gives to `text`.
void appendMoney(std::string& text, double value);

} // namespace balvix
