#include "engine/engine_bytes.h"

#include "input/date_text.h"
#include "input/numeric_value.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>
#include <vector>

namespace balvix {

namespace {

// The texts of `bytes`, in order; nothing when it is cut short.
std::optional<std::vector<std::string_view>> textsOf(std::string_view bytes) {
  std::vector<std::string_view> texts;
  while (!bytes.empty()) {
    if (bytes.size() < 4) {
      return std::nullopt;
    }
    std::size_t size = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      size |= static_cast<std::size_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    bytes.remove_prefix(4);
    if (size > bytes.size()) {
      return std::nullopt;
    }
    texts.push_back(bytes.substr(0, size));
    bytes.remove_prefix(size);
  }
  return texts;
}

void appendText(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < 4; ++i) {
    out += static_cast<char>((text.size() >> (8 * i)) & 0xFF);
  }
  out += text;
}

void appendField(std::string& out, std::string_view name, std::string_view value) {
  appendText(out, name);
  appendText(out, value);
}

// A balance as the page sends it: "1234.56", "-80", "0.5".
std::optional<double> balanceOf(std::string_view text) {
  const bool below = text.starts_with('-');
  if (below) {
    text.remove_prefix(1);
  }
  if (!isPlainDecimal(text)) {
    return std::nullopt;
  }
  const double value = numericValue(text);
  return below ? -value : value;
}

// A value named among `names`: its place there.
template <typename Value, std::size_t N>
std::optional<Value> namedValue(std::string_view text,
                                const std::array<std::pair<std::string_view, Value>, N>& names) {
  for (const auto& [name, value] : names) {
    if (text == name) {
      return value;
    }
  }
  return std::nullopt;
}

constexpr std::array<std::pair<std::string_view, EngineWant>, 5> wantNames{{
    {"datos", EngineWant::everything},
    {"bajos", EngineWant::recordLows},
    {"escenarios", EngineWant::scenarioParts},
    {"tablas", EngineWant::scenarioTables},
    {"holgura", EngineWant::room},
}};

constexpr std::array<std::pair<std::string_view, FaultyScenarios>, 2> faultyNames{{
    {"rechazan", FaultyScenarios::refuseRun},
    {"fuera", FaultyScenarios::leaveOut},
}};

constexpr std::array<std::pair<std::string_view, EngineStatus>, 4> statusNames{{
    {"calculado", EngineStatus::walked},
    {"rechazado", EngineStatus::refused},
    {"saldo no tomado", EngineStatus::balanceNotTaken},
    {"mal formado", EngineStatus::malformed},
}};

// Sets the field `name` of `request` from `value`; false when there is no
// such field or the value is not one of its own.
bool setField(EngineRequest& request, std::string_view name, std::string_view value) {
  if (name == "config") {
    request.config = value;
  } else if (name == "entrada") {
    request.entries = value;
  } else if (name == "argumento") {
    request.argument = value;
  } else if (name == "hoy") {
    request.today = realDateOf(value);
    return request.today.has_value();
  } else if (name == "saldo") {
    request.todayBalance = balanceOf(value);
    return request.todayBalance.has_value();
  } else if (name == "colchon") {
    const std::optional<double> cushion = balanceOf(value);
    request.cushion = cushion.value_or(0);
    return cushion.has_value();
  } else if (name == "holgura") {
    request.withRoom = value == "si";
    return request.withRoom;
  } else if (name == "gastos" || name == "ingresos") {
    std::optional<int>& percent =
        name == "gastos" ? request.scaling.expenses : request.scaling.income;
    percent = percentOf(value, name == "gastos" ? 1000 : 100);
    return percent.has_value();
  } else if (name == "separador") {
    request.separator = value == "\\" ? '\\' : '/';
    return value == "\\" || value == "/";
  } else if (name == "solo") {
    const std::optional<EngineWant> want = namedValue(value, wantNames);
    request.want = want.value_or(EngineWant::everything);
    return want.has_value();
  } else if (name == "tablas") {
    const std::from_chars_result read =
        std::from_chars(value.data(), value.data() + value.size(), request.tablesOf);
    return read.ec == std::errc{} && read.ptr == value.data() + value.size();
  } else if (name == "fallidos") {
    const std::optional<FaultyScenarios> faulty = namedValue(value, faultyNames);
    request.faultyScenarios = faulty.value_or(FaultyScenarios::refuseRun);
    return faulty.has_value();
  } else {
    return false;
  }
  return true;
}

} // namespace

std::optional<EngineRequest> requestOf(std::string_view bytes) {
  const std::optional<std::vector<std::string_view>> texts = textsOf(bytes);
  if (!texts || texts->size() % 2 != 0) {
    return std::nullopt;
  }
  EngineRequest request;
  std::vector<std::string_view> seen;
  for (std::size_t i = 0; i < texts->size(); i += 2) {
    const std::string_view name = (*texts)[i];
    const std::string_view value = (*texts)[i + 1];
    if (name == "escenario") {
      if (i + 3 >= texts->size() || (*texts)[i + 2] != "texto") {
        return std::nullopt;
      }
      // A folder holds one file of a name.
      const std::string file = scenarioFileName(value);
      if (std::any_of(
              request.scenarios.begin(), request.scenarios.end(),
              [&file](const ScenarioText& s) { return scenarioFileName(s.name) == file; })) {
        return std::nullopt;
      }
      request.scenarios.push_back({std::string(value), std::string((*texts)[i + 3])});
      i += 2;
      // "calcular" "no" after it keeps it off the walk.
      if (i + 3 < texts->size() && (*texts)[i + 2] == "calcular") {
        if ((*texts)[i + 3] != "no") {
          return std::nullopt;
        }
        request.scenarios.back().walked = false;
        i += 2;
      }
      continue;
    }
    if (std::find(seen.begin(), seen.end(), name) != seen.end()) {
      return std::nullopt;
    }
    seen.push_back(name);
    if (!value.empty() && !setField(request, name, value)) {
      return std::nullopt;
    }
  }
  return request;
}

std::string bytesOf(const EngineAnswer& answer) {
  std::string out;
  for (const auto& [name, status] : statusNames) {
    if (status == answer.status) {
      appendField(out, "estado", name);
    }
  }
  const std::array<std::pair<std::string_view, const std::string*>, 5> parts{{
      {"mensaje", &answer.message},
      {"datos", &answer.data},
      {"html", &answer.body},
      {"bajos", &answer.lows},
      {"holgura", &answer.room},
  }};
  for (const auto& [name, text] : parts) {
    if (!text->empty()) {
      appendField(out, name, *text);
    }
  }
  for (const std::string& line : answer.log) {
    appendField(out, "error", line);
  }
  for (const ScenarioFaults& scenario : answer.faultyScenarios) {
    appendField(out, "fuera", scenario.name);
    for (const std::string& line : scenario.lines) {
      appendField(out, "error", line);
    }
  }
  return out;
}

} // namespace balvix
