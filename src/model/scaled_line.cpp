#include "model/scaled_line.h"

#include "model/room_figures.h"
#include "projection/scaled_amounts.h"

#include <charconv>
#include <system_error>

namespace balvix {

std::optional<int> percentOf(std::string_view text, int most) {
  if (text.starts_with('+')) {
    text.remove_prefix(1);
  }
  int percent = 0;
  const std::from_chars_result read =
      std::from_chars(text.data(), text.data() + text.size(), percent);
  if (text.empty() || read.ec != std::errc{} || read.ptr != text.data() + text.size() ||
      percent < -100 || percent > most) {
    return std::nullopt;
  }
  return percent;
}

std::string scaledLineName(const Scaling& scaling) {
  std::string name;
  auto part = [&name](std::string_view what, int percent) {
    name += name.empty() ? "" : ", ";
    name += what;
    name += percent < 0 ? " " : " +";
    name += std::to_string(percent);
    name += " %";
  };
  if (scaling.expenses) {
    part("gastos", *scaling.expenses);
  }
  if (scaling.income) {
    part("ingresos", *scaling.income);
  }
  return name;
}

std::optional<Scenario> scaledLine(const RunInputs& inputs, const RunSpan& span,
                                   const DateParts& today, const Scaling& scaling,
                                   bool fromTodaysBalance) {
  if (!scaling.expenses && !scaling.income) {
    return std::nullopt;
  }
  const MovementList plan = movementListOf(inputs.movements.entries);
  const std::optional<RoomStart> start =
      roomStartOf({plan, span.first, inputs.config.openingBalance}, span, today);
  if (!start) {
    return std::nullopt;
  }
  Scenario line;
  line.name = scaledLineName(scaling);
  line.own = inputs.movements.entries;
  for (Entry& entry : *line.own) {
    const std::optional<int> percent =
        entry.action == Action::remove ? scaling.expenses : scaling.income;
    entry.amount = percent ? scaledAmount(entry.amount, *percent) : entry.amount;
  }
  if (!fromTodaysBalance) {
    line.startDay = start->day;
    line.startBalance = start->balance;
  }
  return line;
}

} // namespace balvix
