#pragma once

#include "calendar/calendar.h"

#include <cstddef>
#include <span>

namespace balvix {

// What one walk of the days tells its consumers, in the order it happens: for
// every walked day `day`, with the movements that will be told for it in the
// order they will be (a consumer that looks something up for each movement
// can fetch it ahead; the list is valid during the call); then, for each
// movement due that day in file order, `activation` (only on a periodic
// movement's activation day) and `movement`; after the last walked day,
// `closing` with the final balance. A movement is named by its index in
// EntriesRead::entries.
class WalkEvents {
public:
  virtual ~WalkEvents() = default;
  virtual void day(const DateParts& date, std::span<const std::size_t> due) = 0;
  virtual void activation(std::size_t movement) = 0;
  virtual void movement(std::size_t movement, double before, double after) = 0;
  virtual void closing(double balance) = 0;
};

} // namespace balvix
