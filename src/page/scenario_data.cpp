#include "page/scenario_data.h"

#include "page/page_data.h"
#include "page/page_html.h"
#include "page/page_text.h"
#include "projection/engine.h"

#include <cstdint>
#include <iterator>
#include <vector>

namespace balvix {

namespace {

// The movements due on each day of a walk, by day from its first.
class DueDays : public WalkEvents {
public:
  DueDays(const DateParts& first, std::size_t dayCount)
      : first_(dayNumber(first)), days_(dayCount) {}

  void day(const DateParts& date) override {
    today_ = static_cast<std::size_t>(dayNumber(date) - first_);
  }
  void activation(std::size_t /*movement*/) override {}
  void movement(std::size_t movement, double /*before*/, double /*after*/) override {
    if (today_ < days_.size()) {
      days_[today_].push_back(movement);
    }
  }
  void overflow(std::size_t /*movement*/) override {}
  void closing(double /*balance*/) override {}

  const std::vector<std::vector<std::size_t>>& days() const { return days_; }

private:
  std::int64_t first_;
  std::vector<std::vector<std::size_t>> days_;
  std::size_t today_ = 0;
};

// "aaaa-mm-dd":[indexes] of a day with some.
void addDayIndexes(JsonItems& days, const DateParts& day, const std::vector<std::size_t>& indexes) {
  if (!indexes.empty()) {
    days.add(isoDate(day), jsonCounts(indexes));
  }
}

// "aaaa-mm-dd", or null for no day.
void appendDayOrNull(std::string& out, const DateParts* day) {
  if (day == nullptr) {
    out += "null";
    return;
  }
  appendJsonString(out, isoDate(*day));
}

// The figures of a walk as the comparison shows them.
void appendFigures(std::string& out, const PageModel& series,
                   const std::optional<ExactAmount>& target) {
  const ChartFigures& figures = series.figures();
  JsonItems json(out, JsonBrackets::object);
  appendJsonString(json.member("desde"), isoDate(figures.first));
  appendJsonString(json.member("hasta"), isoDate(figures.last));
  json.add("cierre", jsonAmount(figures.closing));
  appendDayJson(json.member("minimo"), figures.lowest);
  appendDayJson(json.member("maximo"), figures.highest);
  appendDayOrNull(json.member("primerDiaBajoCero"),
                  figures.firstBelowZero ? &figures.firstBelowZero->day : nullptr);
  json.add("diasBajoCero", std::to_string(figures.daysBelowZero));
  json.add("tramos", std::to_string(series.belowZero().size()));
  json.add("totalPuesto", jsonAmount(figures.putIn));
  json.add("totalQuitado", jsonAmount(figures.takenOut));
  if (target) {
    appendDayOrNull(json.member("diaObjetivo"),
                    reachesAmount(figures.closing, *target) ? &figures.last : nullptr);
  }
  json.close();
}

// The scenario's figures less the plan's, as the page shows them.
void appendDifferences(std::string& out, const PageModel& scenario, const PageModel& plan) {
  const ChartFigures& mine = scenario.figures();
  const ChartFigures& theirs = plan.figures();
  auto difference = [](double a, double b) {
    return jsonAmount(roundedToCent(a) - roundedToCent(b));
  };
  JsonItems json(out, JsonBrackets::object);
  json.add("cierre", difference(mine.closing, theirs.closing));
  json.add("minimo", difference(mine.lowest.balance, theirs.lowest.balance));
  json.add("totalPuesto", difference(mine.putIn, theirs.putIn));
  json.add("totalQuitado", difference(mine.takenOut, theirs.takenOut));
  json.add("diasBajoCero", std::to_string(mine.daysBelowZero - theirs.daysBelowZero));
  json.add("tramos", std::to_string(static_cast<std::int64_t>(scenario.belowZero().size()) -
                                    static_cast<std::int64_t>(plan.belowZero().size())));
  json.close();
}

void appendTexts(std::string& out, const std::vector<std::string>& texts) {
  JsonItems list(out, JsonBrackets::list);
  for (const std::string& text : texts) {
    appendJsonString(list.item(), text);
  }
  list.close();
}

// The months as columns, each list on a line of its own. In months the
// closing and lowest balances are the points' own, and are not repeated.
void appendMonthColumns(std::string& out, const PageModel& series) {
  const std::vector<ChartMonth>& months = series.months();
  JsonItems lowestDays;
  JsonItems putIn;
  JsonItems takenOut;
  JsonItems closings;
  JsonItems lowests;
  for (const ChartMonth& month : months) {
    lowestDays.add(std::to_string(month.lowestDay.day));
    putIn.add(jsonAmount(month.putIn));
    takenOut.add(jsonAmount(month.takenOut));
    closings.add(jsonAmount(month.closing));
    lowests.add(jsonAmount(month.lowest));
  }
  JsonItems json(out, JsonBrackets::object, JsonLine::own);
  if (months.empty()) {
    json.add("desde", "null");
  } else {
    appendJsonString(json.member("desde"), isoMonth(months.front().year, months.front().month));
  }
  lowestDays.appendList(json.member("diaMinimo"));
  putIn.appendList(json.member("puesto"));
  takenOut.appendList(json.member("quitado"));
  if (series.step() != ChartStep::month) {
    closings.appendList(json.member("cierre"));
    lowests.appendList(json.member("minimo"));
  }
  json.close();
}

// The days the taken movements of `scenario` would have fallen due, walked
// alone, by day from the first of `figures`.
std::vector<std::vector<std::size_t>> takenDaysOf(const Scenario& scenario,
                                                  const std::vector<Entry>& planEntries,
                                                  const ChartFigures& figures) {
  if (scenario.taken.empty()) {
    return {};
  }
  MovementList taken;
  for (std::size_t index : scenario.taken) {
    taken.push_back(&planEntries[index]);
  }
  DueDays due(figures.first, static_cast<std::size_t>(figures.dayCount));
  walkDays(due, taken, 0, figures.first, figures.last);
  return due.days();
}

// The lines a scenario adds and takes away, as written and as movements.
void appendScenarioLines(JsonItems& json, const Scenario& scenario,
                         const std::vector<Entry>& planEntries) {
  JsonItems addedLines(json.member("anadidos"), JsonBrackets::list);
  for (const Entry& entry : scenario.added) {
    appendJsonString(addedLines.item(), entry.line);
  }
  addedLines.close();
  JsonItems takenLines(json.member("quitados"), JsonBrackets::list);
  for (std::size_t index : scenario.taken) {
    appendJsonString(takenLines.item(), planEntries[index].line);
  }
  takenLines.close();
  JsonItems addedMovements(json.member("apuntesAnadidos"), JsonBrackets::list);
  for (const Entry& entry : scenario.added) {
    appendMovementJson(addedMovements.item(), entry);
  }
  addedMovements.close();
  JsonItems takenMovements(json.member("apuntesQuitados"), JsonBrackets::list);
  for (std::size_t index : scenario.taken) {
    appendMovementJson(takenMovements.item(), planEntries[index]);
  }
  takenMovements.close();
}

// The indexes of the movements a scenario walked day by day adds, and of
// those it takes away, on each day they fall due.
void appendDayMovements(JsonItems& addedDays, JsonItems& takenDays, const ScenarioWalk& walk,
                        const std::vector<Entry>& planEntries) {
  const Scenario& scenario = *walk.scenario;
  const std::vector<std::vector<std::size_t>> taken =
      takenDaysOf(scenario, planEntries, walk.series.figures());
  // The scenario walks the plan's movements it keeps, then its own.
  const std::size_t kept = planEntries.size() - scenario.taken.size();
  std::size_t index = 0;
  walk.series.forEachPoint([&](const ChartPoint& point) {
    std::vector<std::size_t> addedToday;
    for (std::size_t movement : point.movements) {
      if (movement >= kept) {
        addedToday.push_back(movement - kept);
      }
    }
    addDayIndexes(addedDays, point.day, addedToday);
    if (index < taken.size()) {
      addDayIndexes(takenDays, point.day, taken[index]);
    }
    ++index;
  });
}

// One scenario's object: its name and file on its first line, every other
// member on a line of its own.
void appendScenario(std::string& out, const ScenarioWalk& walk, const PageModel& plan,
                    const RunInputs& inputs, const std::optional<ExactAmount>& target) {
  const Scenario& scenario = *walk.scenario;
  const PageModel& series = walk.series;
  const ChartFigures& figures = series.figures();
  const ChartStep step = series.step();

  JsonItems json(out, JsonBrackets::object, JsonLine::own);
  appendJsonString(json.member("nombre"), scenario.name);
  appendJsonString(json.member("fichero", JsonLine::same), scenario.fileName);
  if (scenario.own) {
    json.add("escalado", "true", JsonLine::same);
  }
  const std::vector<Entry>& planEntries = inputs.movements.entries;
  appendScenarioLines(json, scenario, planEntries);
  json.add("paso", stepJson(step));

  JsonItems addedDays;
  JsonItems takenDays;
  if (step == ChartStep::day) {
    appendDayMovements(addedDays, takenDays, walk, planEntries);
  }
  const ChartFigures& planFigures = plan.figures();
  // Points of their own: another step, or a walk that starts or ends on
  // another day.
  const bool ownDays = step != plan.step() || !(figures.first == planFigures.first) ||
                       !(figures.last == planFigures.last);
  const PointLists points = pointListsOf(series, {ownDays, step != ChartStep::day, false});
  if (ownDays) {
    points.days.appendList(json.member("dias"));
  }
  points.balances.appendList(json.member("saldos"));
  if (step != ChartStep::day) {
    points.lowests.appendList(json.member("minimos"));
  }
  points.futureLowests.appendList(json.member("minimosFuturos"));
  if (step == ChartStep::day) {
    addedDays.appendObject(json.member("anadidosDia"));
    takenDays.appendObject(json.member("quitadosDia"));
  }
  appendFigures(json.member("cifras"), series, target);
  appendDifferences(json.member("diferencias"), series, plan);
  stretchesJson(series).appendList(json.member("tramosBajoCero"));
  appendMonthColumns(json.member("meses"), series);
  json.close();
}

} // namespace

std::string scenarioData(const PageModel& plan, const RunInputs& inputs,
                         const ScenarioWalks& walks) {
  if (walks.walks.empty()) {
    return {};
  }
  JsonItems data(JsonLine::own);
  appendFigures(data.member("cifras"), plan, walks.target);
  JsonItems scenarios(data.member("escenarios"), JsonBrackets::list, JsonLine::own);
  for (const ScenarioWalk& walk : walks.walks) {
    appendScenario(scenarios.item(), walk, plan, inputs, walks.target);
  }
  scenarios.close();
  appendTexts(data.member("escenariosFuera"), walks.leftOut);
  return data.items();
}

} // namespace balvix
