#pragma once

#include "calendar/calendar.h"

#include <optional>
#include <string_view>

namespace balvix {

// The shape rule of a date text dd/mm/aaaa: exactly 10 characters, "/" at the
// 3rd and 6th and nowhere else, the other eight decimal digits, a day from 1
// to 31, a month from 1 to 12 and a year above 0. It does not ask whether the
// day exists in its month: 31/02/2014 has the shape.
bool isValidDateText(std::string_view text);

// The day (characters 1-2), month (4-5) and year (the last four characters) of
// a date text, each the numeric value of its piece cut to a whole number. Any
// text gives an answer; a piece without a number gives 0.
DateParts datePartsOf(std::string_view text);

// The day of a date text with the shape of isValidDateText that names a day
// that exists in its month, leap years counted; none for any other text. The
// one check and conversion of the dates of both input files.
std::optional<DateParts> realDateOf(std::string_view text);

} // namespace balvix
