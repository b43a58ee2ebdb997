#pragma once

#include "input/entries.h"
#include "model/page_model.h"
#include "page/page_text.h"
#include "projection/money.h"

#include <string>
#include <vector>

namespace balvix::testing {

// The movements of the lines of a movements file, read as the program reads
// them (the lines must be free of faults).
inline EntriesRead movementsOf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line + "\r\n";
  }
  return parseEntries(text, [](std::string_view) {});
}

// A walked day: dd/mm/aaaa and the movements due that day, in order.
struct WalkDay {
  std::string date;
  std::vector<std::size_t> movements;
};

// Sends the events of a walk over `days` to `events`, applying each movement
// to the balance as the engine does.
inline void walk(WalkEvents& events, const EntriesRead& read, double opening,
                 const std::vector<WalkDay>& days) {
  double balance = opening;
  for (const WalkDay& day : days) {
    const std::string& d = day.date;
    events.day({std::stoi(d.substr(0, 2)), std::stoi(d.substr(3, 2)), std::stoi(d.substr(6))});
    for (std::size_t index : day.movements) {
      const Entry& entry = read.entries[index];
      double after = entry.action == Action::add ? entry.amount + balance : balance - entry.amount;
      events.movement(index, balance, after);
      balance = after;
    }
  }
  events.closing(balance);
}

} // namespace balvix::testing
