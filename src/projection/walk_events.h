#pragma once

#include "calendar/calendar.h"

#include <cstddef>

namespace balvix {

// What one walk of the days tells its consumers, in the order it happens: for
// every walked day `day`; then, for each movement due that day in file order,
// `activation` (only on a periodic movement's activation day) and `movement`;
// after the last walked day, `closing` with the final balance. A movement is
// named by its index in EntriesRead::entries.
//
// A movement that would leave a balance that is no longer a finite number
// (beyond about 1.8e308 either way) is not applied: `overflow` names it
// instead of `movement`, and the walk ends that day with `closing` and the
// last balance that was one.
class WalkEvents {
public:
  virtual ~WalkEvents() = default;
  virtual void day(const DateParts& date) = 0;
  virtual void activation(std::size_t movement) = 0;
  virtual void movement(std::size_t movement, double before, double after) = 0;
  virtual void overflow(std::size_t movement) = 0;
  virtual void closing(double balance) = 0;
  // Asked after each walked day: true ends the walk there (with `closing`),
  // for consumers that have learnt all they wanted.
  virtual bool seenEnough() const { return false; }
};

// Two consumers of one walk, each told everything in the same order.
class BothWalkEvents : public WalkEvents {
public:
  BothWalkEvents(WalkEvents& first, WalkEvents& second) : first_(first), second_(second) {}
  void day(const DateParts& date) override {
    first_.day(date);
    second_.day(date);
  }
  void activation(std::size_t movement) override {
    first_.activation(movement);
    second_.activation(movement);
  }
  void movement(std::size_t movement, double before, double after) override {
    first_.movement(movement, before, after);
    second_.movement(movement, before, after);
  }
  void overflow(std::size_t movement) override {
    first_.overflow(movement);
    second_.overflow(movement);
  }
  void closing(double balance) override {
    first_.closing(balance);
    second_.closing(balance);
  }

private:
  WalkEvents& first_;
  WalkEvents& second_;
};

} // namespace balvix
