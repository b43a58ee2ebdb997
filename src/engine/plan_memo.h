#pragma once

#include "engine/engine.h"
#include "model/plan_walk.h"
#include "projection/run_start.h"

#include <memory>
#include <optional>
#include <string>

namespace balvix {

// What the engine keeps of one request's plan for the next: the files read,
// the plan's walk and its figures of room. A page asks again on every key
// typed in a scenario, with the same files, argument and today: the plan is
// then taken as it was, and not walked again. Each part is kept with all it
// was made from, and made again when any of that differs.
class PlanMemo {
public:
  // The inputs to walk for `request`, whose start `start` allowed a run:
  // the plan read before, when the request's files and argument are those
  // it was read from; else the movements and configuration of `start`,
  // which are kept.
  RunInputs inputsOf(const EngineRequest& request, RunStart& start);

  // The plan of `inputs` (from inputsOf) walked as ChartWalk walks it.
  std::shared_ptr<const PlanWalk> walkOf(const RunInputs& inputs, const RunSpan& span,
                                         const std::optional<WalksStart>& start,
                                         const std::optional<DateParts>& lowsFrom);

  // planRoomJson of `inputs` (from inputsOf).
  const std::string& roomOf(const RunInputs& inputs, const RunSpan& span, const DateParts& today,
                            double floor);

private:
  bool read_ = false;
  std::string config_;
  std::string entries_;
  std::string argument_;
  EntriesRead movements_;
  RunConfig runConfig_;

  std::shared_ptr<const PlanWalk> walk_;
  std::optional<WalksStart> walkStart_;
  std::optional<DateParts> walkLows_;

  std::optional<std::string> room_;
  DateParts roomToday_;
  double roomFloor_ = 0;
};

} // namespace balvix
