#include "chart/page_data.h"

#include "chart/page_text.h"

#include <cstddef>
#include <string_view>

namespace balvix {

void appendDayJson(std::string& out, const ChartDay& day) {
  out += R"({"dia":")";
  out += isoDate(day.day);
  out += R"(","saldo":)";
  out += jsonAmount(day.balance);
  out += '}';
}

std::string_view stepJson(ChartStep step) {
  return step == ChartStep::day ? "\"dia\"" : step == ChartStep::week ? "\"semana\"" : "\"mes\"";
}

void appendMovementJson(std::string& out, const Entry& entry) {
  out += '[';
  appendJsonString(out, entry.comment);
  out += ",\"";
  out += wordOf(entry.action);
  out += "\",\"";
  out += pageAmount(entry.amount);
  out += "\"]";
}

std::string stretchesJson(const PageModel& model) {
  std::string stretches;
  for (const ChartStretch& stretch : model.belowZero()) {
    stretches += stretches.empty() ? "" : ",\n";
    stretches += R"({"desde":")" + isoDate(stretch.start.day) + R"(","hasta":")" +
                 isoDate(stretch.last) + R"(","dias":)" + std::to_string(stretch.dayCount) +
                 R"(,"minimo":)" + jsonAmount(stretch.lowest) + R"(,"diaMinimo":")" +
                 isoDate(stretch.lowestDay) + "\"}";
  }
  return stretches;
}

std::string monthsJson(const PageModel& model) {
  std::string months;
  for (const ChartMonth& month : model.months()) {
    months += months.empty() ? "" : ",\n";
    months += R"({"mes":")" + isoMonth(month.year, month.month) + R"(","cierre":)" +
              jsonAmount(month.closing) + R"(,"minimo":)" + jsonAmount(month.lowest) +
              R"(,"diaMinimo":")" + isoDate(month.lowestDay) + R"(","puesto":)" +
              jsonAmount(month.putIn) + R"(,"quitado":)" + jsonAmount(month.takenOut) + "}";
  }
  return months;
}

namespace {

// "key":[...], from the texts of each item.
void appendJsonList(std::string& out, std::string_view key, const std::string& items) {
  out += '"';
  out += key;
  out += "\":[";
  out += items;
  out += "],\n";
}

} // namespace

PointLists pointListsOf(const PageModel& model) {
  PointLists lists;
  model.forEachPoint([&lists](const ChartPoint& point) {
    const char* comma = lists.days.empty() ? "" : ",";
    lists.days += comma;
    lists.days += '"';
    lists.days += isoDate(point.day);
    lists.days += '"';
    lists.balances += comma;
    lists.balances += jsonAmount(point.closing);
    lists.lowests += comma;
    lists.lowests += jsonAmount(point.lowest);
    lists.futureLowests += comma;
    lists.futureLowests += jsonAmount(point.futureLowest);
    lists.putIn += comma;
    lists.putIn += jsonAmount(point.putIn);
    lists.takenOut += comma;
    lists.takenOut += jsonAmount(point.takenOut);
    lists.movements += comma;
    lists.movements += '[';
    for (std::size_t i = 0; i < point.movements.size(); ++i) {
      lists.movements += i > 0 ? "," : "";
      lists.movements += std::to_string(point.movements[i]);
    }
    lists.movements += ']';
  });
  return lists;
}

namespace {

// Every movement of entrada.txt: [comment, action, amount as the page writes it].
std::string entriesOf(const PageModel& model) {
  std::string entries;
  for (std::size_t i = 0; i < model.entryCount(); ++i) {
    entries += i > 0 ? ",\n" : "";
    appendMovementJson(entries, model.entry(i));
  }
  return entries;
}

} // namespace

void appendPageData(std::string& out, const PageModel& model, const ChartRun& run,
                    std::string_view moreData) {
  const ChartStep step = model.step();
  const ChartFigures& figures = model.figures();
  const PointLists points = pointListsOf(model);
  out += R"(<script type="application/json" id="datos">{"informe":)";
  appendJsonString(out, run.reportName);
  out += ",\"paso\":";
  out += stepJson(step);
  out += ",\n";
  appendJsonList(out, "dias", points.days);
  appendJsonList(out, "saldos", points.balances);
  if (step != ChartStep::day) {
    appendJsonList(out, "minimos", points.lowests);
  }
  appendJsonList(out, "minimosFuturos", points.futureLowests);
  appendJsonList(out, "puesto", points.putIn);
  appendJsonList(out, "quitado", points.takenOut);
  if (step == ChartStep::day) {
    appendJsonList(out, "movimientosDia", points.movements);
    appendJsonList(out, "apuntes", entriesOf(model));
  }
  appendJsonList(out, "tramosBajoCero", stretchesJson(model));
  appendJsonList(out, "meses", monthsJson(model));

  out += R"("periodo":{"desde":")" + isoDate(run.periodFirst) + R"(","hasta":")" +
         isoDate(run.periodLast) + "\"},\n";
  if (run.goal == RunGoal::toAmount) {
    out += "\"objetivo\":";
    out += run.target.units.empty() ? "0" : run.target.units;
    if (!run.target.fraction.empty()) {
      out += '.';
      out += run.target.fraction;
    }
    out += ",\n";
  } else if (run.goal == RunGoal::toDate && figures.dayCount > 0) {
    out += R"("fechaElegida":")" + isoDate(figures.last) + "\",\n";
  }
  if (figures.dayCount > 0) {
    out += "\"minimo\":";
    appendDayJson(out, figures.lowest);
    out += ",\"maximo\":";
    appendDayJson(out, figures.highest);
  } else {
    out += R"("minimo":null,"maximo":null)";
  }
  out += moreData;
  out += "}</script>\n";
}

} // namespace balvix
