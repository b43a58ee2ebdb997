#pragma once

#include "model/page_model.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace balvix {

// The pieces of HTML that the key figures and the tables of the chart page
// both write.

// Movements named after a day of the key figures or a stretch below zero.
inline constexpr std::size_t movementsNamed = 3;

// Rows of the table of stretches below zero; the data holds them all.
inline constexpr std::size_t stretchRows = 200;

// The mark of a cell of "se puede gastar hoy", which depends on today and so
// is written by the page's script alone.
inline constexpr std::string_view spendTodayCell = "data-hoy=\"gastar\"";

// The cells of the figures of room (how far the expenses may rise, what
// can be set aside each month), which the page's script fills from its
// engine, as they depend on today and on the cushion.
inline constexpr std::string_view expenseRoomCell = "data-holgura=\"gastos\"";
inline constexpr std::string_view monthlyRoomCell = "data-holgura=\"apartar\"";
inline constexpr std::string_view expenseRoomLabel = "Margen de los gastos";
inline constexpr std::string_view monthlyRoomLabel = "Margen para apartar cada mes";

// Appends an empty cell for the page's script to fill, for line `line` (0
// the plan, i scenario i): <TAG MARK data-linea="i"></TAG>, MARK being
// `mark`, such as spendTodayCell.
void appendScriptCell(std::string& out, std::string_view tag, std::string_view mark,
                      std::size_t line);

// Appends an amount in the page's form (pageAmount); a negative one in
// <span class="neg">, so that it stands out.
void appendHtmlAmount(std::string& out, double value);

// Appends a count of days: "1 día", "40 días", "1.234 días".
void appendDays(std::string& out, std::int64_t count);

// Appends the days of a walk that end below zero and the stretches they
// make: "1 día, en 1 tramo", "40 días, en 3 tramos", or "ninguno".
void appendDaysBelowZero(std::string& out, const PageModel& model);

// Appends the movements of a day, their comments escaped: "Nomina (poner
// 1.850'50), Alquiler (quitar 900'00)" and, past the first `limit`, how many
// more: " y 2 más".
void appendMovementList(std::string& out, const PageModel& model,
                        const std::vector<std::size_t>& movements, std::size_t limit);

// Opens the box a wide table scrolls in on a narrow screen (closed by
// "</div>"): a region named `name` (HTML) that the keyboard can reach, so
// that its table can be scrolled without a mouse.
void appendTableBox(std::string& out, std::string_view name);

} // namespace balvix
