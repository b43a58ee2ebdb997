#pragma once

#include "calendar/calendar.h"
#include "input/entries.h"
#include "projection/run_span.h"

#include <optional>

namespace balvix {

// How much room a balance line leaves above a floor (the page's cushion, or
// 0), counted from today: how far its expenses may rise, and how much more
// can go each month. Every figure is a walk of the same engine as the line
// itself. A day counts as the page judges day-end balances: rounded to the
// cent (roundedToCent), at or above the floor.

// A balance line as walked: its movements, its first day and the balance
// it starts with. The movements must outlive it.
struct RoomLine {
  const MovementList& movements;
  DateParts first;
  double opening = 0;
};

// Where the figures count from: the day (today, or the line's first day
// when today is before it) and the line's balance at the start of it.
struct RoomStart {
  DateParts day;
  double balance = 0;
};

// The start of the figures of `line` over `span` (to the span's last day,
// the walk stopping on the day an amount run reaches its target); nothing
// when today is after the line's walk (it ended before today by its last
// day, its target or a balance beyond any number).
std::optional<RoomStart> roomStartOf(const RoomLine& line, const RunSpan& span,
                                     const DateParts& today);

// True when `movements`, walked from `start` to the span's end, end every
// day at or above `floor` (an amount on the cent).
bool staysAtOrAbove(const MovementList& movements, const RoomStart& start, const RunSpan& span,
                    double floor);

// The largest whole P with which the line, walked from `start` with every
// "quitar" amount scaled by P (scaledAmount; "poner" amounts as they are),
// stays at or above the floor every day: the figure holds with P, and not
// with P + 1. P is -100 or more; beyond 1000 only aboveLimit is told.
struct ExpenseRoom {
  enum class Kind {
    percent,        // P (negative when the line already goes below)
    noExpenses,     // the line stays up and has no "quitar" from the start on
    notEvenWithout, // not even with no expenses at all (P = -100 fails)
    aboveLimit      // P is above 1000
  };
  Kind kind = Kind::percent;
  int percent = 0;
};
ExpenseRoom expenseRoom(const RoomLine& line, const RoomStart& start, const RunSpan& span,
                        double floor);

// The largest whole number of euros X with which the line, with one more
// movement "X|quitar|periodo|1mes|<start day>" after its own, stays at or
// above the floor every day from `start` on: X holds, X + 1 does not.
// Nothing when not even 0 holds (the line already goes below).
std::optional<double> monthlyRoom(const RoomLine& line, const RoomStart& start, const RunSpan& span,
                                  double floor);

} // namespace balvix
