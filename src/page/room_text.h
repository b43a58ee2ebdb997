#pragma once

#include "input/scenarios.h"
#include "model/room_figures.h"
#include "model/scenario_walks.h"
#include "projection/run_span.h"

#include <optional>
#include <string>
#include <string_view>

namespace balvix {

// The figures of room as the page writes them (Windows-1252): "Los gastos
// pueden subir un 12 %", "los gastos tendrían que bajar un 5 %", "ni sin
// gastos", "más de un 1.000 %" or "sin gastos que subir".
std::string expenseRoomText(const ExpenseRoom& room);

// "Se puede apartar 1.250 € al mes", or "nada" without an amount.
std::string monthlyRoomText(const std::optional<double>& euros);

// The two figures of room of the plan (from the span's first day with the
// opening balance of `inputs`: planRoomJson) and of each scenario (from
// `start` when there is one, as walkScenarios walks them), counted from
// `today` above `floor`: a JSON list with one item per line, in the page's
// order, each [expenseRoomText, monthlyRoomText] or null when today is after
// that line's walk. `planItem` is the plan's, worked out before.
std::string roomJson(std::string_view planItem, const RunInputs& inputs,
                     const ScenariosRead& scenarios, const RunSpan& span, const DateParts& today,
                     double floor, const std::optional<WalksStart>& start = {});

// The plan's item of roomJson.
std::string planRoomJson(const RunInputs& inputs, const RunSpan& span, const DateParts& today,
                         double floor);

} // namespace balvix
