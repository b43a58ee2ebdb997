#include "page/page_data.h"

#include "page/page_text.h"

#include <cstddef>
#include <string_view>

namespace balvix {

void appendDayJson(std::string& out, const ChartDay& day) {
  JsonItems json(out, JsonBrackets::object);
  appendJsonString(json.member("dia"), isoDate(day.day));
  json.add("saldo", jsonAmount(day.balance));
  json.close();
}

std::string_view stepJson(ChartStep step) {
  return step == ChartStep::day ? "\"dia\"" : step == ChartStep::week ? "\"semana\"" : "\"mes\"";
}

void appendMovementJson(std::string& out, const Entry& entry) {
  JsonItems json(out, JsonBrackets::list);
  appendJsonString(json.item(), entry.comment);
  appendJsonString(json.item(), wordOf(entry.action));
  appendJsonString(json.item(), pageAmount(entry.amount));
  json.close();
}

JsonItems stretchesJson(const PageModel& model) {
  JsonItems stretches(JsonLine::own);
  for (const ChartStretch& stretch : model.belowZero()) {
    JsonItems json(stretches.item(), JsonBrackets::object);
    appendJsonString(json.member("desde"), isoDate(stretch.start.day));
    appendJsonString(json.member("hasta"), isoDate(stretch.last));
    json.add("dias", std::to_string(stretch.dayCount));
    json.add("minimo", jsonAmount(stretch.lowest));
    appendJsonString(json.member("diaMinimo"), isoDate(stretch.lowestDay));
    json.close();
  }
  return stretches;
}

PointLists pointListsOf(const PageModel& model, PointListsWanted wanted) {
  PointLists lists;
  model.forEachPoint([&lists, &wanted](const ChartPoint& point) {
    if (wanted.days) {
      appendJsonDate(lists.days.item(), point.day);
    }
    appendJsonAmount(lists.balances.item(), point.closing);
    if (wanted.lowests) {
      appendJsonAmount(lists.lowests.item(), point.lowest);
    }
    appendJsonAmount(lists.futureLowests.item(), point.futureLowest);
    if (wanted.totals) {
      appendJsonAmount(lists.putIn.item(), point.putIn);
      appendJsonAmount(lists.takenOut.item(), point.takenOut);
      appendJsonCounts(lists.movements.item(), point.movements);
    }
  });
  return lists;
}

namespace {

JsonItems monthsJson(const PageModel& model) {
  JsonItems months(JsonLine::own);
  for (const ChartMonth& month : model.months()) {
    JsonItems json(months.item(), JsonBrackets::object);
    appendJsonString(json.member("mes"), isoMonth(month.year, month.month));
    json.add("cierre", jsonAmount(month.closing));
    json.add("minimo", jsonAmount(month.lowest));
    appendJsonString(json.member("diaMinimo"), isoDate(month.lowestDay));
    json.add("puesto", jsonAmount(month.putIn));
    json.add("quitado", jsonAmount(month.takenOut));
    json.close();
  }
  return months;
}

// Every movement of entrada.txt: [comment, action, amount as the page writes it].
JsonItems entriesOf(const PageModel& model) {
  JsonItems entries(JsonLine::own);
  for (std::size_t i = 0; i < model.entryCount(); ++i) {
    appendMovementJson(entries.item(), model.entry(i));
  }
  return entries;
}

// A target as a JSON number, with every decimal it was given.
std::string targetJson(const ExactAmount& target) {
  std::string number = target.units.empty() ? "0" : target.units;
  if (!target.fraction.empty()) {
    number += '.';
    number += target.fraction;
  }
  return number;
}

} // namespace

void appendPageData(std::string& out, const PageModel& model, const ChartRun& run,
                    std::string_view moreData) {
  out += R"(<script type="application/json" id="datos">)";
  appendPageDataJson(out, model, run, moreData);
  out += "</script>\n";
}

void appendPageDataJson(std::string& out, const PageModel& model, const ChartRun& run,
                        std::string_view moreData) {
  const ChartStep step = model.step();
  const ChartFigures& figures = model.figures();
  const PointLists points = pointListsOf(model);
  // Each list, and each member after them, begins a line of its own.
  constexpr JsonLine own = JsonLine::own;
  JsonItems data(out, JsonBrackets::object);
  appendJsonString(data.member("informe"), run.reportName);
  data.add("paso", stepJson(step));
  points.days.appendList(data.member("dias", own));
  points.balances.appendList(data.member("saldos", own));
  if (step != ChartStep::day) {
    points.lowests.appendList(data.member("minimos", own));
  }
  points.futureLowests.appendList(data.member("minimosFuturos", own));
  points.putIn.appendList(data.member("puesto", own));
  points.takenOut.appendList(data.member("quitado", own));
  if (step == ChartStep::day) {
    points.movements.appendList(data.member("movimientosDia", own));
    entriesOf(model).appendList(data.member("apuntes", own));
  }
  stretchesJson(model).appendList(data.member("tramosBajoCero", own));
  monthsJson(model).appendList(data.member("meses", own));

  JsonItems period(data.member("periodo", own), JsonBrackets::object);
  appendJsonString(period.member("desde"), isoDate(run.periodFirst));
  appendJsonString(period.member("hasta"), isoDate(run.periodLast));
  period.close();
  if (run.goal == RunGoal::toAmount) {
    data.add("objetivo", targetJson(run.target), own);
  } else if (run.goal == RunGoal::toDate && figures.dayCount > 0) {
    appendJsonString(data.member("fechaElegida", own), isoDate(figures.last));
  }
  if (figures.dayCount > 0) {
    appendDayJson(data.member("minimo", own), figures.lowest);
    appendDayJson(data.member("maximo"), figures.highest);
  } else {
    data.add("minimo", "null", own);
    data.add("maximo", "null");
  }
  data.addItems(moreData, own);
  data.close();
}

} // namespace balvix
