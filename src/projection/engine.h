#pragma once

#include "calendar/calendar.h"
#include "input/entries.h"
#include "projection/money.h"
#include "projection/walk_events.h"

#include <cstdint>
#include <optional>

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

// One walk of the days from `first` to `last`, both included (`first` before
// `last`), told to `events` as it happens: every day, and every movement due
// that day, in file order, with its activation on the day a periodic movement
// is activated. Each movement applies at most once a day. With a target the
// walk also stops after the first day that ends with the balance at or above
// it, as the report writes it (reachesAmount); a day is cut short only by a
// movement whose balance would no longer be a finite number, which ends the
// walk there (WalkEvents::overflow). A walk also ends after a day that leaves
// `events` seenEnough(). The closing event ends the walk, and its
// balance is returned. A walked day costs its own events, not the number of
// movements: each movement's next due day is known in advance.
double walkDays(WalkEvents& events, const MovementList& movements, double openingBalance,
                const DateParts& first, const DateParts& last,
                const std::optional<ExactAmount>& target = std::nullopt);

} // namespace balvix
