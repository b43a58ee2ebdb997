#include "model/plan_walk.h"

#include "projection/engine.h"
#include "projection/walk_events.h"

#include <cstdint>
#include <optional>

namespace balvix {

namespace {

// The events of a walk from the day `from` on, to a model made that day with
// the balance the walk has at its start.
class FromDay : public WalkEvents {
public:
  FromDay(std::optional<PageModel>& model, const MovementList& movements, double opening,
          const DateParts& from)
      : model_(model), movements_(movements), balance_(opening), from_(dayNumber(from)) {}

  void day(const DateParts& date) override {
    if (!model_ && dayNumber(date) >= from_) {
      model_.emplace(movements_, balance_);
    }
    if (model_) {
      model_->day(date);
    }
  }
  void activation(std::size_t movement) override {
    if (model_) {
      model_->activation(movement);
    }
  }
  void movement(std::size_t movement, double before, double after) override {
    balance_ = after;
    if (model_) {
      model_->movement(movement, before, after);
    }
  }
  void overflow(std::size_t movement) override {
    if (model_) {
      model_->overflow(movement);
    }
  }
  void closing(double balance) override {
    if (model_) {
      model_->closing(balance);
    }
  }

private:
  std::optional<PageModel>& model_;
  const MovementList& movements_;
  double balance_;
  std::int64_t from_;
};

} // namespace

PlanWalk::PlanWalk(const RunInputs& inputs, const RunSpan& span,
                   const std::optional<WalksStart>& start, const std::optional<DateParts>& lowsFrom)
    : model_(movementListOf(inputs.movements.entries), inputs.config.openingBalance) {
  const RunConfig& config = inputs.config;
  const MovementList plan = movementListOf(inputs.movements.entries);
  // The plan's one walk, for its model and, when asked, its lows and its
  // model from the start of the walks beside it.
  RecordLows lows(config.openingBalance, lowsFrom.value_or(span.first));
  FromDay fromStart(fromStart_, plan, config.openingBalance, start ? start->day : span.first);
  BothWalkEvents withStart(model_, fromStart);
  WalkEvents& planEvents = start ? static_cast<WalkEvents&>(withStart) : model_;
  BothWalkEvents withLows(planEvents, lows);
  walkDays(lowsFrom ? static_cast<WalkEvents&>(withLows) : planEvents, plan, config.openingBalance,
           span.first, span.last, span.target);
  if (lowsFrom) {
    lows_ = lows.lows();
  }
}

} // namespace balvix
