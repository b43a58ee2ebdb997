#include "page/room_text.h"

#include "page/json_writer.h"
#include "page/page_text.h"
#include "projection/money.h"

#include <string_view>

namespace balvix {

std::string expenseRoomText(const ExpenseRoom& room) {
  using Kind = ExpenseRoom::Kind;
  switch (room.kind) {
  case Kind::noExpenses:
    return "sin gastos que subir";
  case Kind::notEvenWithout:
    return "ni sin gastos";
  case Kind::aboveLimit:
    return "m\xE1s de un 1.000 %";
  case Kind::percent:
    break;
  }
  std::string text = room.percent >= 0 ? "Los gastos pueden subir un "
                                       : "los gastos tendr\xED"
                                         "an que bajar un ";
  appendCount(text, room.percent >= 0 ? room.percent : -room.percent);
  text += " %";
  return text;
}

std::string monthlyRoomText(const std::optional<double>& euros) {
  if (!euros) {
    return "nada";
  }
  // A whole number of euros: its hundredths end in "00".
  const std::string hundredths = roundedHundredths(*euros);
  std::string text = "Se puede apartar ";
  const std::string_view units(hundredths.data(),
                               hundredths.size() > 2 ? hundredths.size() - 2 : 0);
  if (units.empty()) {
    text += '0';
  }
  appendThousands(text, units);
  text += " \x80 al mes";
  return text;
}

namespace {

// One line's item of roomJson.
void appendRoomItem(JsonItems& json, const RoomLine& line, const RunSpan& span,
                    const DateParts& today, double floor) {
  const std::optional<RoomStart> from = roomStartOf(line, span, today);
  if (!from) {
    json.add("null");
    return;
  }
  JsonItems pair(json.item(), JsonBrackets::list);
  appendJsonString(pair.item(), expenseRoomText(expenseRoom(line, *from, span, floor)));
  appendJsonString(pair.item(), monthlyRoomText(monthlyRoom(line, *from, span, floor)));
  pair.close();
}

} // namespace

std::string planRoomJson(const RunInputs& inputs, const RunSpan& span, const DateParts& today,
                         double floor) {
  JsonItems json;
  const MovementList plan = movementListOf(inputs.movements.entries);
  appendRoomItem(json, {plan, span.first, inputs.config.openingBalance}, span, today, floor);
  return json.items();
}

std::string roomJson(std::string_view planItem, const RunInputs& inputs,
                     const ScenariosRead& scenarios, const RunSpan& span, const DateParts& today,
                     double floor, const std::optional<WalksStart>& start) {
  JsonItems json;
  json.add(planItem);
  for (const Scenario& scenario : scenarios.scenarios) {
    const MovementList movements = movementListOf(scenario, inputs.movements);
    const WalksStart from = startOf(scenario, inputs, span, start);
    appendRoomItem(json, {movements, from.day, from.balance}, span, today, floor);
  }
  std::string out;
  json.appendList(out);
  return out;
}

} // namespace balvix
