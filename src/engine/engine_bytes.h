#pragma once

// The engine's request and answer (engine.h) as the bytes that cross the
// WebAssembly module's memory: a list of fields, each two texts, a name and
// a value, and each text a 4-byte little-endian length and its bytes.
//
// The request's fields, in any order, each at most once but "escenario":
//   "config", "entrada"  the files' bytes
//   "argumento"          the argument
//   "hoy"                today, dd/mm/aaaa
//   "saldo"              today's balance: digits with at most one ".", a "-"
//                        before them when below zero
//   "colchon"            the floor of the figures of room, as "saldo"
//   "holgura"            "si": the figures of room too, with what is wanted
//   "gastos", "ingresos" the percents of the line "gastos/ingresos"
//                        (from -100 to 1000, and to 100)
//   "separador"          "\" or "/"
//   "solo"               "datos" (the default), "bajos", "holgura",
//                        "escenarios" or "tablas" (EngineWant)
//   "tablas"             for "tablas", the scenario's line: "1" for the first
//   "fallidos"           "rechazan" (the default) or "fuera" (FaultyScenarios)
//   "escenario"          a scenario: its name, the field after it "texto",
//                        its bytes, and maybe then "calcular" "no" for a
//                        scenario whose faults alone are wanted
// An empty value is as the field missing. A request with another field, a
// value of no such form or cut short is malformed.
//
// The answer's fields, in this order: "estado" ("calculado", "rechazado",
// "saldo no tomado" or "mal formado"), "mensaje", "datos", "html", "bajos",
// "holgura", each present only when not empty; then a "error" per line of the log; then
// for each scenario left out a "fuera" with its file's name, followed by a
// "error" per line of its faults.

#include "engine/engine.h"

#include <optional>
#include <string>
#include <string_view>

namespace balvix {

std::optional<EngineRequest> requestOf(std::string_view bytes);

std::string bytesOf(const EngineAnswer& answer);

} // namespace balvix
