#include "chart/scenario_data.h"

#include "chart/page_data.h"
#include "chart/page_html.h"
#include "chart/page_text.h"
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

// ",\n"key":" before a value.
void appendKey(std::string& out, std::string_view key) {
  out += ",\n\"";
  out += key;
  out += "\":";
}

// A list of indexes: [0,2].
void appendIndexes(std::string& out, const std::vector<std::size_t>& indexes) {
  out += '[';
  for (std::size_t i = 0; i < indexes.size(); ++i) {
    out += i > 0 ? "," : "";
    out += std::to_string(indexes[i]);
  }
  out += ']';
}

// "aaaa-mm-dd":[indexes] of a day with some, after a comma unless first.
void appendDayIndexes(std::string& out, const DateParts& day,
                      const std::vector<std::size_t>& indexes) {
  if (indexes.empty()) {
    return;
  }
  out += out.empty() ? "\"" : ",\"";
  out += isoDate(day);
  out += "\":";
  appendIndexes(out, indexes);
}

// "aaaa-mm-dd", or null for no day.
void appendDayOrNull(std::string& out, const DateParts* day) {
  if (day == nullptr) {
    out += "null";
    return;
  }
  out += '"';
  out += isoDate(*day);
  out += '"';
}

// The figures of a walk as the comparison shows them.
void appendFigures(std::string& out, const PageModel& series,
                   const std::optional<ExactAmount>& target) {
  const ChartFigures& figures = series.figures();
  out += R"({"desde":")" + isoDate(figures.first) + R"(","hasta":")" + isoDate(figures.last) +
         R"(","cierre":)" + jsonAmount(figures.closing) + ",\"minimo\":";
  appendDayJson(out, figures.lowest);
  out += ",\"maximo\":";
  appendDayJson(out, figures.highest);
  out += ",\"primerDiaBajoCero\":";
  appendDayOrNull(out, figures.firstBelowZero ? &figures.firstBelowZero->day : nullptr);
  out += ",\"diasBajoCero\":" + std::to_string(figures.daysBelowZero) +
         ",\"tramos\":" + std::to_string(series.belowZero().size()) +
         ",\"totalPuesto\":" + jsonAmount(figures.putIn) +
         ",\"totalQuitado\":" + jsonAmount(figures.takenOut);
  if (target) {
    out += ",\"diaObjetivo\":";
    appendDayOrNull(out, reachesAmount(figures.closing, *target) ? &figures.last : nullptr);
  }
  out += '}';
}

// The scenario's figures less the plan's, as the page shows them.
void appendDifferences(std::string& out, const PageModel& scenario, const PageModel& plan) {
  const ChartFigures& mine = scenario.figures();
  const ChartFigures& theirs = plan.figures();
  auto difference = [](double a, double b) {
    return jsonAmount(roundedToCent(a) - roundedToCent(b));
  };
  out += R"({"cierre":)" + difference(mine.closing, theirs.closing) + R"(,"minimo":)" +
         difference(mine.lowest.balance, theirs.lowest.balance) + R"(,"totalPuesto":)" +
         difference(mine.putIn, theirs.putIn) + R"(,"totalQuitado":)" +
         difference(mine.takenOut, theirs.takenOut) + R"(,"diasBajoCero":)" +
         std::to_string(mine.daysBelowZero - theirs.daysBelowZero) + R"(,"tramos":)" +
         std::to_string(static_cast<std::int64_t>(scenario.belowZero().size()) -
                        static_cast<std::int64_t>(plan.belowZero().size())) +
         '}';
}

void appendTexts(std::string& out, const std::vector<std::string>& texts) {
  out += '[';
  for (std::size_t i = 0; i < texts.size(); ++i) {
    out += i > 0 ? "," : "";
    appendJsonString(out, texts[i]);
  }
  out += ']';
}

// The movements of the first day of each stretch the stretch table shows:
// [how many, then the first ones named as [comment, action, amount]].
void appendStretchMovements(std::string& out, const PageModel& series) {
  const std::vector<ChartStretch>& stretches = series.belowZero();
  out += '[';
  for (std::size_t i = 0; i < stretches.size() && i < stretchRows; ++i) {
    const std::vector<std::size_t>& movements = stretches[i].start.movements;
    out += i > 0 ? ",\n[" : "[";
    out += std::to_string(movements.size());
    for (std::size_t k = 0; k < movements.size() && k < movementsNamed; ++k) {
      out += ',';
      appendMovementJson(out, series.entry(movements[k]));
    }
    out += ']';
  }
  out += ']';
}

// The months as columns, each list on a line of its own. In months the
// closing and lowest balances are the points' own, and are not repeated.
void appendMonthColumns(std::string& out, const PageModel& series) {
  const std::vector<ChartMonth>& months = series.months();
  std::string lowestDays;
  std::string putIn;
  std::string takenOut;
  std::string closings;
  std::string lowests;
  std::string yearPutIn;
  std::string yearTakenOut;
  double yearPut = 0;
  double yearTaken = 0;
  // A value added to a JSON list's items, after a comma but for the first.
  auto add = [](std::string& items, const std::string& value) {
    if (!items.empty()) {
      items += ',';
    }
    items += value;
  };
  for (auto month = months.begin(); month != months.end(); ++month) {
    add(lowestDays, std::to_string(month->lowestDay.day));
    add(putIn, jsonAmount(month->putIn));
    add(takenOut, jsonAmount(month->takenOut));
    add(closings, jsonAmount(month->closing));
    add(lowests, jsonAmount(month->lowest));
    // Summed in the order the plan's month table sums them.
    yearPut += month->putIn;
    yearTaken += month->takenOut;
    if (std::next(month) == months.end() || std::next(month)->year != month->year) {
      add(yearPutIn, jsonAmount(yearPut));
      add(yearTakenOut, jsonAmount(yearTaken));
      yearPut = 0;
      yearTaken = 0;
    }
  }
  out += "{\"desde\":";
  out += months.empty() ? "null" : '"' + isoMonth(months.front().year, months.front().month) + '"';
  out += ",\n\"diaMinimo\":[" + lowestDays + "],\n\"puesto\":[" + putIn + "],\n\"quitado\":[" +
         takenOut + "],\n";
  if (series.step() != ChartStep::month) {
    out += "\"cierre\":[" + closings + "],\n\"minimo\":[" + lowests + "],\n";
  }
  out += "\"puestoAnyo\":[" + yearPutIn + "],\n\"quitadoAnyo\":[" + yearTakenOut +
         "],\n\"subCentimo\":";
  out += series.figures().subCent ? "true}" : "false}";
}

// One scenario's object.
void appendScenario(std::string& out, const ScenarioWalk& walk, const PageModel& plan,
                    const RunInputs& inputs, const std::optional<ExactAmount>& target) {
  const Scenario& scenario = *walk.scenario;
  const PageModel& series = walk.series;
  const ChartFigures& figures = series.figures();
  const ChartStep step = series.step();

  out += "{\"nombre\":";
  appendJsonString(out, scenario.name);
  out += ",\"fichero\":";
  appendJsonString(out, scenario.fileName);
  appendKey(out, "anadidos");
  appendTexts(out, scenario.added);
  appendKey(out, "quitados");
  appendTexts(out, scenario.taken);
  appendKey(out, "apuntesAnadidos");
  out += '[';
  for (std::size_t i = scenario.keptCount; i < scenario.movements.entries.size(); ++i) {
    out += i > scenario.keptCount ? "," : "";
    appendMovementJson(out, scenario.movements.entries[i]);
  }
  out += ']';
  appendKey(out, "apuntesQuitados");
  out += '[';
  for (std::size_t i = 0; i < scenario.takenMovements.size(); ++i) {
    out += i > 0 ? "," : "";
    appendMovementJson(out, inputs.movements.entries[scenario.takenMovements[i]]);
  }
  out += ']';
  appendKey(out, "paso");
  out += stepJson(step);

  // The days the taken movements would have fallen due, walked alone.
  std::vector<std::vector<std::size_t>> takenDays;
  if (step == ChartStep::day && !scenario.takenMovements.empty()) {
    EntriesRead taken;
    for (std::size_t index : scenario.takenMovements) {
      taken.entries.push_back(inputs.movements.entries[index]);
      taken.schedules.push_back(inputs.movements.schedules[index]);
    }
    DueDays due(figures.first, static_cast<std::size_t>(figures.dayCount));
    walkDays(due, taken, 0, figures.first, figures.last);
    takenDays = due.days();
  }

  const PointLists points = pointListsOf(series);
  std::string addedDays;
  std::string takenDaysText;
  std::size_t index = 0;
  series.forEachPoint([&](const ChartPoint& point) {
    if (step == ChartStep::day) {
      std::vector<std::size_t> added;
      for (std::size_t movement : point.movements) {
        if (movement >= scenario.keptCount) {
          added.push_back(movement - scenario.keptCount);
        }
      }
      appendDayIndexes(addedDays, point.day, added);
      if (index < takenDays.size()) {
        appendDayIndexes(takenDaysText, point.day, takenDays[index]);
      }
    }
    ++index;
  });
  const ChartFigures& planFigures = plan.figures();
  if (step != plan.step() || !(figures.last == planFigures.last)) {
    appendKey(out, "dias");
    out += '[' + points.days + ']';
  }
  appendKey(out, "saldos");
  out += '[' + points.balances + ']';
  if (step != ChartStep::day) {
    appendKey(out, "minimos");
    out += '[' + points.lowests + ']';
  }
  appendKey(out, "minimosFuturos");
  out += '[' + points.futureLowests + ']';
  if (step == ChartStep::day) {
    appendKey(out, "anadidosDia");
    out += '{' + addedDays + '}';
    appendKey(out, "quitadosDia");
    out += '{' + takenDaysText + '}';
  }
  appendKey(out, "cifras");
  appendFigures(out, series, target);
  appendKey(out, "diferencias");
  appendDifferences(out, series, plan);
  appendKey(out, "tramosBajoCero");
  out += '[' + stretchesJson(series) + ']';
  appendKey(out, "movimientosTramos");
  appendStretchMovements(out, series);
  appendKey(out, "meses");
  appendMonthColumns(out, series);
  out += '}';
}

} // namespace

std::string scenarioData(const PageModel& plan, const RunInputs& inputs,
                         const ScenarioWalks& walks) {
  std::string out;
  if (walks.walks.empty()) {
    return out;
  }
  appendKey(out, "cifras");
  appendFigures(out, plan, walks.target);
  appendKey(out, "escenarios");
  out += '[';
  for (const ScenarioWalk& walk : walks.walks) {
    out += out.back() == '[' ? "" : ",\n";
    appendScenario(out, walk, plan, inputs, walks.target);
  }
  out += ']';
  appendKey(out, "escenariosFuera");
  appendTexts(out, walks.leftOut);
  return out;
}

} // namespace balvix
