#include "page/page_html.h"

#include "page/page_text.h"

namespace balvix {

void appendScriptCell(std::string& out, std::string_view tag, std::string_view mark,
                      std::size_t line) {
  out += '<';
  out += tag;
  out += ' ';
  out += mark;
  out += " data-linea=\"";
  out += std::to_string(line);
  out += "\"></";
  out += tag;
  out += '>';
}

void appendHtmlAmount(std::string& out, double value) {
  const std::string text = pageAmount(value);
  if (!text.empty() && text.front() == '-') {
    out += "<span class=\"neg\">";
    out += text;
    out += "</span>";
  } else {
    out += text;
  }
}

void appendDays(std::string& out, std::int64_t count) {
  appendCount(out, count);
  out += count == 1 ? " día" : " días";
}

void appendDaysBelowZero(std::string& out, const PageModel& model) {
  const std::int64_t days = model.figures().daysBelowZero;
  if (days == 0) {
    out += "ninguno";
    return;
  }
  appendDays(out, days);
  const auto stretches = static_cast<std::int64_t>(model.belowZero().size());
  out += ", en ";
  appendCount(out, stretches);
  out += stretches == 1 ? " tramo" : " tramos";
}

void appendMovementList(std::string& out, const PageModel& model,
                        const std::vector<std::size_t>& movements, std::size_t limit) {
  for (std::size_t i = 0; i < movements.size() && i < limit; ++i) {
    const Entry& entry = model.entry(movements[i]);
    if (i > 0) {
      out += ", ";
    }
    appendHtmlEscaped(out, entry.comment);
    out += " (";
    out += wordOf(entry.action);
    out += ' ';
    appendHtmlAmount(out, entry.amount);
    out += ')';
  }
  if (movements.size() > limit) {
    out += " y ";
    appendCount(out, static_cast<std::int64_t>(movements.size() - limit));
    out += " más";
  }
}

void appendTableBox(std::string& out, std::string_view name) {
  out += R"(<div class="tabla" tabindex="0" role="region" aria-label=")";
  out += name;
  out += "\">";
}

} // namespace balvix
