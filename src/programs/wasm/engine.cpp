// The engine of the chart page, built as a WebAssembly module: the page
// hands it the bytes of its inputs and gets back what balvix-grafico would
// write from them. No system is reached: the texts come in and go out
// through the module's memory.
//
// The page writes its request into the block balvix_input(size) returns: a
// list of texts, each a 4-byte little-endian length and its bytes:
// - config.txt, entrada.txt and the argument;
// - today (dd/mm/aaaa, or empty);
// - what is wanted: "bajos" for the record lows alone, "tablas N" for the
//   tables of the scenario N alone (1 for the first) in the place of the
//   body, "escenarios" for the parts that change with the scenarios alone
//   (scenarioPartsOf), "holgura" for the figures of room alone, or empty
//   for all;
// - today's balance as the bank tells it (digits with at most one decimal
//   point, a "-" before them when below zero), or empty;
// - the separator of a scenario file's path in its faults: "\" as on
//   Windows, or "/" (also when empty);
// - the cushion (digits with at most one decimal point), or empty for 0;
//   with "holgura" wanted, the figures of room of each line from today
//   above it (roomJson) alone are made;
// - the percents the line "gastos/ingresos" scales the "quitar" and the
//   "poner" amounts by (from -100 to 1000, and to 100), or empty: with
//   either and today, that line (scaledLine) comes last beside the plan;
// - then a name and a text for each scenario file (a name without its ".txt"
//   gets it).
// balvix_run() reads it, and returns the size of the answer in the block
// balvix_output() points to, texts written the same way: the page's data
// (its JSON in UTF-8; empty when there is none), the part of the page that
// changes with it (its HTML in UTF-8, appendPageBody), the record lows of
// each line from today (recordLowsJson; empty without today), the message
// the program would show (Windows-1252; empty when none), the figures of
// room (roomJson in UTF-8; empty unless wanted), then each line of
// Errores.txt (Windows-1252).

#include "chart/chart_data.h"
#include "chart/chart_run.h"
#include "chart/room_text.h"
#include "chart/scaled_line.h"
#include "driver/argument.h"
#include "driver/messages.h"
#include "input/date_text.h"
#include "input/entries.h"
#include "input/numeric_value.h"
#include "input/run_config.h"
#include "input/scenarios.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

std::string request;
std::string answer;

// The texts before the scenarios' names and texts.
constexpr std::size_t firstScenario = 10;

// The line of the plan walked from today with today's balance, beside the
// plan as written.
constexpr std::string_view todayLineName = "real (banco)";

// A balance as the page sends it: "1234.56", "-80", "0.5".
std::optional<double> balanceOf(std::string_view text) {
  const bool below = text.starts_with('-');
  if (below) {
    text.remove_prefix(1);
  }
  if (!balvix::isPlainDecimal(text)) {
    return std::nullopt;
  }
  const double value = balvix::numericValue(text);
  return below ? -value : value;
}

// The texts of the request, in order; nothing when it is cut short.
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

// What balvix-grafico would write from the texts: its data, its message and
// its log.
struct Result {
  balvix::ChartParts parts;
  std::string lows;
  std::string room;
  std::string_view message;
  std::vector<std::string> log;
};

Result run(const std::vector<std::string_view>& texts) {
  using namespace balvix;
  Result result;
  const Argument argument = classifyArgument(argumentTextOf(texts[2], true));
  if (argument.mode == RunMode::usage) {
    result.message = chartUsageText;
    return result;
  }
  const ErrorSink log = [&result](std::string_view line) { result.log.emplace_back(line); };
  const EntriesRead movements = parseEntries(texts[1], log);
  const ConfigRead config = parseRunConfig(texts[0], log, longestChartReportName);
  FolderListing listing{FolderListing::State::listed, {}};
  for (std::size_t i = firstScenario; i + 1 < texts.size(); i += 2) {
    // A scenario named without its ".txt" is the file of that name.
    std::string name(texts[i]);
    if (withoutTextEnding(name).size() == name.size()) {
      name += textFileEnding;
    }
    listing.entries.push_back({std::move(name), std::to_string(i + 1), true});
  }
  const ScenariosRead scenarios = readScenarios(
      listing,
      [&texts](const FolderEntry& entry) {
        return std::optional<std::string>(texts[std::stoul(entry.systemName)]);
      },
      movements, texts[6] == "\\" ? '\\' : '/', log);
  if (!allowsRun(movements, config, scenarios.errorCount)) {
    result.message = inputErrorsMessage;
    return result;
  }
  const RunInputs inputs{config.records.front(), movements};
  const std::optional<RunSpan> span = runSpanOf(inputs.config, argument);
  if (!span) {
    result.message = outsidePeriodMessage;
    return result;
  }
  // The record lows alone spare the page's data and body, whose making is
  // most of a call.
  // With today's balance, a line of the plan walked from today with it comes
  // first beside the plan, and each scenario is walked from today with it.
  const std::optional<DateParts> today = realDateOf(texts[3]);
  std::optional<WalksStart> start;
  ScenariosRead fromToday;
  const ScenariosRead* beside = &scenarios;
  if (!texts[5].empty()) {
    const std::optional<double> balance = balanceOf(texts[5]);
    if (!today || !balance || !std::isfinite(*balance) ||
        dayNumber(*today) < dayNumber(span->first) || dayNumber(*today) >= dayNumber(span->last)) {
      result.message = "El saldo de hoy solo se tiene en cuenta con hoy dentro de lo proyectado.";
      return result;
    }
    start = WalksStart{*today, *balance};
    fromToday.scenarios.emplace_back().name = todayLineName;
    fromToday.scenarios.insert(fromToday.scenarios.end(), scenarios.scenarios.begin(),
                               scenarios.scenarios.end());
    fromToday.leftOut = scenarios.leftOut;
    beside = &fromToday;
  }
  const Scaling scaling{percentOf(texts[8], 1000), percentOf(texts[9], 100)};
  std::optional<Scenario> scaled;
  if (today) {
    scaled = scaledLine(inputs, *span, *today, scaling, start.has_value());
  }
  if (scaled) {
    if (beside != &fromToday) {
      fromToday.scenarios.insert(fromToday.scenarios.end(), scenarios.scenarios.begin(),
                                 scenarios.scenarios.end());
      fromToday.leftOut = scenarios.leftOut;
      beside = &fromToday;
    }
    fromToday.scenarios.push_back(std::move(*scaled));
  }
  const std::string_view wanted = texts[4];
  constexpr std::string_view tables = "tablas ";
  if (wanted.starts_with(tables)) {
    const std::string_view number = wanted.substr(tables.size());
    std::size_t line = 0;
    const std::from_chars_result read =
        std::from_chars(number.data(), number.data() + number.size(), line);
    if (read.ec != std::errc{} || read.ptr != number.data() + number.size()) {
      line = 0;
    }
    result.parts.body = scenarioTablesOf(inputs, *beside, *span, line, start);
  } else if (wanted == "escenarios") {
    result.parts = scenarioPartsOf(inputs, *beside, *span, start);
  } else if (wanted == "holgura") {
    const std::optional<double> cushion = texts[7].empty() ? 0 : balanceOf(texts[7]);
    if (today && cushion && std::isfinite(*cushion)) {
      result.room = roomJson(inputs, *beside, *span, *today, *cushion, start);
    }
    return result;
  } else if (wanted != "bajos") {
    result.parts = chartPartsOf(inputs, *beside, *span, start);
  }
  if (today) {
    result.lows = recordLowsJson(inputs, *beside, *span, *today, start);
  }
  return result;
}

} // namespace

extern "C" {

// The block of `size` bytes the page writes its request into.
char* balvix_input(std::uint32_t size) {
  request.assign(size, '\0');
  return request.data();
}

// Answers the request; the size of the answer.
std::uint32_t balvix_run() {
  answer.clear();
  const std::optional<std::vector<std::string_view>> texts = textsOf(request);
  if (!texts || texts->size() < firstScenario || (texts->size() - firstScenario) % 2 != 0) {
    return 0;
  }
  const Result result = run(*texts);
  appendText(answer, result.parts.data);
  appendText(answer, result.parts.body);
  appendText(answer, result.lows);
  appendText(answer, result.message);
  appendText(answer, result.room);
  for (const std::string& line : result.log) {
    appendText(answer, line);
  }
  return static_cast<std::uint32_t>(answer.size());
}

// The answer of the last run.
const char* balvix_output() {
  return answer.data();
}

} // extern "C"
