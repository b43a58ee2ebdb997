#include "engine/engine.h"

#include "engine/plan_memo.h"

#include "input/entries.h"
#include "input/messages.h"
#include "input/run_config.h"
#include "input/scenarios.h"
#include "page/chart_data.h"
#include "page/room_text.h"
#include "projection/argument.h"
#include "projection/run_start.h"
#include "text/cp1252.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace balvix {

namespace {

// The line of the plan walked from today with today's balance, beside the
// plan as written.
constexpr std::string_view todayLineName = "real (banco)";

constexpr std::string_view balanceNotTakenMessage =
    "El saldo de hoy solo se tiene en cuenta con hoy dentro de lo proyectado.";

// The request's scenarios as the folder "escenarios" holding them, each
// file's name its scenario's name with ".txt" when it has none.
ScenariosRead scenariosOf(const EngineRequest& request, const EntriesRead& movements,
                          const ErrorSink& log) {
  FolderListing listing{FolderListing::State::listed, {}};
  for (const ScenarioText& scenario : request.scenarios) {
    const std::string name = scenarioFileName(scenario.name);
    listing.entries.push_back({name, name, true});
  }
  return readScenarios(
      listing,
      [&request](const FolderEntry& entry) -> std::optional<std::string> {
        for (const ScenarioText& scenario : request.scenarios) {
          if (scenarioFileName(scenario.name) == entry.name) {
            return scenario.text;
          }
        }
        return std::nullopt;
      },
      movements, request.separator, log);
}

// Takes the faulty scenarios off `read` with the lines of `log` that are
// theirs, which leave the log: the log's scenario lines come last, file by
// file as faultsByFile counts them. The scenarios not to be walked go too.
std::vector<ScenarioFaults> leaveOutFaulty(const EngineRequest& request, ScenariosRead& read,
                                           std::vector<std::string>& log) {
  for (const ScenarioText& scenario : request.scenarios) {
    if (!scenario.walked) {
      const std::string file = scenarioFileName(scenario.name);
      std::erase_if(read.scenarios, [&file](const Scenario& s) { return s.fileName == file; });
    }
  }
  std::vector<ScenarioFaults> faulty;
  auto line = log.end() - read.errorCount;
  for (const ScenariosRead::FileFaults& file : read.faultsByFile) {
    if (file.count == 0) {
      continue;
    }
    ScenarioFaults& own = faulty.emplace_back(ScenarioFaults{file.name, {}});
    own.lines.assign(std::make_move_iterator(line), std::make_move_iterator(line + file.count));
    line += file.count;
    std::erase_if(read.scenarios, [&file](const Scenario& s) { return s.fileName == file.name; });
  }
  log.erase(log.end() - read.errorCount, log.end());
  read.errorCount = 0;
  read.unreadable.clear();
  return faulty;
}

bool takesTodayBalance(const EngineRequest& request, const RunSpan& span) {
  return request.today && std::isfinite(*request.todayBalance) &&
         dayNumber(*request.today) >= dayNumber(span.first) &&
         dayNumber(*request.today) < dayNumber(span.last);
}

// The parts `request` wants of a run allowed on `inputs`, its lines beside
// the plan in `beside`.
void walk(const EngineRequest& request, const RunInputs& inputs, const ScenariosRead& beside,
          const RunSpan& span, const std::optional<WalksStart>& start, PlanMemo& memo,
          EngineAnswer& answer) {
  const auto chartWalk = [&] {
    return ChartWalk(inputs, beside, span, start, request.today,
                     memo.walkOf(inputs, span, start, request.today));
  };
  ChartParts parts;
  switch (request.want) {
  case EngineWant::everything:
    parts = chartPartsOf(chartWalk(), request.today.has_value());
    break;
  case EngineWant::scenarioParts:
    parts = scenarioPartsOf(chartWalk(), request.today.has_value());
    break;
  case EngineWant::scenarioTables:
    parts.body = scenarioTablesOf(inputs, beside, span, request.tablesOf, start);
    break;
  case EngineWant::room:
    break;
  case EngineWant::recordLows:
    if (request.today) {
      parts.lows = recordLowsJson(chartWalk());
    }
    break;
  }
  if (request.today && (request.want == EngineWant::room || request.withRoom)) {
    answer.room = roomJson(memo.roomOf(inputs, span, *request.today, request.cushion), inputs,
                           beside, span, *request.today, request.cushion, start);
  }
  answer.data = std::move(parts.data);
  answer.body = std::move(parts.body);
  answer.lows = std::move(parts.lows);
}

// The start of the program on the request's inputs, the scenarios read
// into `scenarios` and the faults into `answer`.
RunStart startOf(const EngineRequest& request, ScenariosRead& scenarios, EngineAnswer& answer) {
  const std::string argument = argumentTextOf(request.argument, true);
  StartSteps steps;
  steps.argument = argument;
  steps.usage = chartUsageText;
  steps.readMovements = [&request](const ErrorSink& log) {
    return parseEntries(request.entries, log);
  };
  steps.readConfig = [&request](const ErrorSink& log) {
    return parseRunConfig(request.config, log, longestChartReportName);
  };
  steps.readCompanions = [&](const EntriesRead& plan, const ErrorSink& log) {
    scenarios = scenariosOf(request, plan, log);
    if (request.faultyScenarios == FaultyScenarios::leaveOut) {
      answer.faultyScenarios = leaveOutFaulty(request, scenarios, answer.log);
    }
    return CompanionsRead{scenarios.errorCount, scenarios.unreadable};
  };
  return startRun(steps, [&answer](std::string_view line) { answer.log.emplace_back(line); });
}

// The answer, its message and faults in Windows-1252 as the program writes
// them.
void answerIn1252(const EngineRequest& request, PlanMemo& memo, EngineAnswer& answer) {
  ScenariosRead scenarios;
  RunStart run = startOf(request, scenarios, answer);
  if (!run.refusal.empty()) {
    answer.status = EngineStatus::refused;
    answer.message = run.refusal;
    return;
  }
  const RunInputs inputs = memo.inputsOf(request, run);
  std::optional<WalksStart> start;
  if (request.todayBalance) {
    if (takesTodayBalance(request, run.span)) {
      start = WalksStart{*request.today, *request.todayBalance};
      ScenariosRead beside;
      beside.scenarios.emplace_back().name = todayLineName;
      std::move(scenarios.scenarios.begin(), scenarios.scenarios.end(),
                std::back_inserter(beside.scenarios));
      beside.leftOut = std::move(scenarios.leftOut);
      scenarios = std::move(beside);
    } else {
      answer.status = EngineStatus::balanceNotTaken;
      answer.message = balanceNotTakenMessage;
    }
  }
  if (request.today) {
    if (std::optional<Scenario> scaled =
            scaledLine(inputs, run.span, *request.today, request.scaling, start.has_value())) {
      scenarios.scenarios.push_back(std::move(*scaled));
    }
  }
  walk(request, inputs, scenarios, run.span, start, memo, answer);
}

} // namespace

std::string scenarioFileName(std::string_view name) {
  std::string file(name);
  if (withoutTextEnding(name).size() == name.size()) {
    file += textFileEnding;
  }
  return file;
}

EngineAnswer answerOf(const EngineRequest& request) {
  return Engine().answer(request);
}

Engine::Engine() : memo_(std::make_unique<PlanMemo>()) {}

Engine::~Engine() = default;

EngineAnswer Engine::answer(const EngineRequest& request) {
  EngineAnswer answer;
  answerIn1252(request, *memo_, answer);
  answer.message = utf8From1252(answer.message);
  for (std::string& line : answer.log) {
    line = utf8From1252(line);
  }
  for (ScenarioFaults& scenario : answer.faultyScenarios) {
    scenario.name = utf8From1252(scenario.name);
    for (std::string& line : scenario.lines) {
      line = utf8From1252(line);
    }
  }
  return answer;
}

} // namespace balvix
