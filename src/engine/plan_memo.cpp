#include "engine/plan_memo.h"

#include "page/room_text.h"

#include <utility>

namespace balvix {

namespace {

bool sameStart(const std::optional<WalksStart>& a, const std::optional<WalksStart>& b) {
  return a.has_value() == b.has_value() && (!a || (a->day == b->day && a->balance == b->balance));
}

} // namespace

RunInputs PlanMemo::inputsOf(const EngineRequest& request, RunStart& start) {
  if (!read_ || request.config != config_ || request.entries != entries_ ||
      request.argument != argument_) {
    read_ = true;
    walk_.reset();
    room_.reset();
    config_ = request.config;
    entries_ = request.entries;
    argument_ = request.argument;
    movements_ = std::move(start.movements);
    runConfig_ = start.config.records.front();
  }
  return {runConfig_, movements_};
}

std::shared_ptr<const PlanWalk> PlanMemo::walkOf(const RunInputs& inputs, const RunSpan& span,
                                                 const std::optional<WalksStart>& start,
                                                 const std::optional<DateParts>& lowsFrom) {
  if (!walk_ || !sameStart(start, walkStart_) || lowsFrom != walkLows_) {
    walk_ = std::make_shared<const PlanWalk>(inputs, span, start, lowsFrom);
    walkStart_ = start;
    walkLows_ = lowsFrom;
  }
  return walk_;
}

const std::string& PlanMemo::roomOf(const RunInputs& inputs, const RunSpan& span,
                                    const DateParts& today, double floor) {
  if (!room_ || !(today == roomToday_) || floor != roomFloor_) {
    room_ = planRoomJson(inputs, span, today, floor);
    roomToday_ = today;
    roomFloor_ = floor;
  }
  return *room_;
}

} // namespace balvix
