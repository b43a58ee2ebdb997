#pragma once

#include "calendar/calendar.h"
#include "input/entries.h"

#include <cstdint>

namespace balvix {

// The last day a movement can fall due on; a due date after it never comes.
inline constexpr DateParts lastCalendarDay{31, 12, 9999};

// The day number of the k-th date on which a periodic movement falls due,
// k = 0 being its activation date, or neverAgain when there is no such date
// on or before lastCalendarDay.
//
// Each unit counts from the anchor (the activation date): days and weeks
// k × interval days later; months k × interval months later, carried into the
// years; years k × interval years later. A month step keeps the anchor's day
// of the month and falls on the month's last day when the month is shorter
// (31/01 gives 28/02 or 29/02, then 31/03, 30/04); a yearly movement anchored
// on 29/02 falls on 28/02 of common years. With an interval of 0 or less the
// movement has no date after its activation.
std::int64_t periodicDueDay(const EntrySchedule& schedule, std::int64_t k);

// The smallest k whose periodicDueDay is on or after `day`, so that a
// movement activated before the walk keeps its rhythm inside it. When no date
// of the movement lies on or after `day`, a k whose due day is neverAgain.
std::int64_t firstPeriodicOccurrenceFrom(const EntrySchedule& schedule, std::int64_t day);

// periodicDueDay for k of 1 or more, of a schedule whose activation date is
// the real day numbered `start`, on or before lastCalendarDay.
std::int64_t laterDueDay(const EntrySchedule& schedule, std::int64_t start, std::int64_t k);

} // namespace balvix
