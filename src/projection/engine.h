#pragma once

#include "calendar/calendar.h"
#include "input/entries.h"
#include "projection/due_days.h"
#include "projection/money.h"
#include "projection/walk_events.h"

#include <cstdint>
#include <optional>

namespace balvix {

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
