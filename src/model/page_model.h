#pragma once

#include "calendar/calendar.h"
#include "input/entries.h"
#include "projection/money.h"
#include "projection/run_span.h"
#include "projection/walk_events.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace balvix {

// A walked day as a figure of the page: the day, its day-end balance (after
// all its movements) and the movements applied that day, in file order.
struct ChartDay {
  DateParts day;
  double balance = 0;
  std::vector<std::size_t> movements;
};

// The key figures of one walk. Lowest, highest and below zero are judged on
// the day-end balances only, as the report writes them (rounded to the
// cent), so a balance of -0.001 is not below zero and two days that show the
// same amount are equally low; of equal days the first counts.
struct ChartFigures {
  std::int64_t dayCount = 0; // walked days; the rest is meaningless while 0
  DateParts first;           // the first walked day
  DateParts last;            // the last walked day
  double opening = 0;
  double closing = 0;
  ChartDay lowest;                        // the first day with the lowest balance
  ChartDay highest;                       // the first day with the highest balance
  std::optional<ChartDay> firstBelowZero; // the first day that ends below zero
  std::int64_t daysBelowZero = 0;         // the days that end below zero
  double putIn = 0;                       // the amounts of all "poner" movements
  double takenOut = 0;                    // the amounts of all "quitar" movements
  bool subCent = false; // a movement applied has an amount with digits below the cent
  // The day a movement would have left a balance beyond any number: the walk
  // ended there, that movement not applied.
  std::optional<DateParts> overflowDay;
};

// Days in a row that end below zero (judged as ChartFigures judges them).
struct ChartStretch {
  ChartDay start;            // its first day, with that day's movements
  DateParts last;            // its last day
  std::int64_t dayCount = 0; // its days
  DateParts lowestDay;       // the first day with its lowest balance
  double lowest = 0;         // that balance
};

// One calendar month of the walk (only its walked days).
struct ChartMonth {
  int year = 0;
  int month = 0;
  DateParts lastDay;      // its last walked day
  double closing = 0;     // the day-end balance of that day
  double lowest = 0;      // its lowest day-end balance
  DateParts lowestDay;    // the first day with that balance
  bool belowZero = false; // a day of it ends below zero
  double putIn = 0;
  double takenOut = 0;
};

// How many days one point of the chart stands for.
enum class ChartStep { day, week, month };

// One point of the chart: its (last) day, its closing balance, its lowest
// day-end balance (the same for a point of one day), the lowest day-end
// balance from it to the end of the walk (its future minimum), what was put
// in and taken out over it, and, for a point of one day, that day's movements
// in the order they were applied (empty for longer points).
struct ChartPoint {
  DateParts day;
  double closing = 0;
  double lowest = 0;
  double futureLowest = 0;
  double putIn = 0;
  double takenOut = 0;
  std::span<const std::size_t> movements;
};

// The model of the chart page of one walk: fed with the walk's events, it keeps the key
// figures, the months, and the chart's points. A point is each walked day's
// balance while there are at most `pointLimit` days; beyond that, each week's
// (seven walked days counted from the first, the last week maybe shorter)
// lowest and closing balance while there are at most `pointLimit` weeks;
// beyond that, each month's. Memory stays within about `pointLimit` points
// and one record per month, whatever the length of the walk.
class PageModel : public WalkEvents {
public:
  static constexpr std::size_t defaultPointLimit = 200000;

  // The records `movements` points to must outlive the model: the events
  // name movements by their index in the list.
  PageModel(MovementList movements, double openingBalance,
            std::size_t pointLimit = defaultPointLimit);

  void day(const DateParts& date) override;
  void activation(std::size_t movement) override;
  void movement(std::size_t movement, double before, double after) override;
  void overflow(std::size_t movement) override;
  void closing(double balance) override;

  // Complete once `closing` was received.
  const ChartFigures& figures() const { return figures_; }
  const std::vector<ChartMonth>& months() const { return months_; }
  const std::vector<ChartStretch>& belowZero() const { return stretches_; }
  ChartStep step() const;

  // Calls `visit` for every point of the chart in date order.
  void forEachPoint(const std::function<void(const ChartPoint& point)>& visit) const;

  // The movement the events named `index`.
  const Entry& entry(std::size_t index) const { return *movements_[index]; }
  std::size_t entryCount() const { return movements_.size(); }

private:
  struct Week {
    double closing = 0;
    double lowest = 0;
    double lowestRounded = 0;
    double putIn = 0;
    double takenOut = 0;
  };
  struct Day {
    double balance = 0;
    double putIn = 0;
    double takenOut = 0;
    std::size_t movementsEnd = 0; // its movements end here in dayMovements_
  };

  // Ends the day walked: its balance, rounded to the cent as the report
  // writes it, goes to the figures, its month and the points.
  void finishDay();
  void noteFigures(std::int64_t index, double balance, double rounded);
  void noteMonth(double balance, double rounded);
  void notePoints(std::int64_t index, double balance, double rounded);

  MovementList movements_;
  std::size_t pointLimit_;
  ChartFigures figures_;
  std::vector<ChartMonth> months_;
  std::vector<ChartStretch> stretches_;
  std::vector<Day> days_;
  std::vector<std::size_t> dayMovements_;
  std::vector<Week> weeks_;
  bool daysDropped_ = false;
  bool weeksDropped_ = false;

  // The day being walked.
  bool walking_ = false;
  DateParts today_;
  double balance_ = 0;
  double putToday_ = 0;
  double takenToday_ = 0;
  std::vector<std::size_t> todaysMovements_;
  std::vector<bool> subCent_; // per movement: its amount has digits below the cent
  bool inStretch_ = false;
  double stretchLowestRounded_ = 0;

  // Rounded values of the lowest and highest so far, of the month's lowest,
  // and the last balance rounded (most days repeat the day before).
  double lowestRounded_ = 0;
  double highestRounded_ = 0;
  double monthLowestRounded_ = 0;
  double lastBalance_ = 0;
  double lastRounded_ = 0;
  bool haveRounded_ = false;
};

// What the page says about its run besides the walk itself.
struct ChartRun {
  std::string_view reportName; // the report's name in config.txt, Windows-1252
  RunGoal goal = RunGoal::wholePeriod;
  ExactAmount target;    // toAmount: the amount to reach
  DateParts periodFirst; // the period of config.txt, shown beside a shorter run
  DateParts periodLast;
};

} // namespace balvix
