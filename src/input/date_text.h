#pragma once

#include "calendar/calendar.h"

#include <optional>
#include <string_view>

namespace balvix {

// The day a date text dd/mm/aaaa names: exactly 10 characters, "/" at the 3rd
// and 6th and nowhere else, the other eight decimal digits, a year above 0
// and a day that exists in its month, leap years counted (31/02/2014 is no
// day). None for any other text. The one reader of the dates of both input
// files and of the command line.
std::optional<DateParts> realDateOf(std::string_view text);

} // namespace balvix
