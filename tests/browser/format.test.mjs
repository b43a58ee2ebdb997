// The page's formatting script (src/chart/page_format.js) over the table of
// rules the program passes too (tests/chart/page_rules.txt), with node's own
// test runner: node --test format.test.mjs
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import test from "node:test";
import vm from "node:vm";

const root = new URL("../../", import.meta.url);
const context = vm.createContext({});
vm.runInContext(readFileSync(new URL("src/chart/page_format.js", root), "utf8") +
  "\nthis.format = balvixFormat;", context);
const format = context.format;
const rules = readFileSync(new URL("tests/chart/page_rules.txt", root), "utf8")
  .split("\n").filter((line) => line !== "" && !line.startsWith("#"))
  .map((line) => line.split("|"));

test("the table has every kind of rule", () => {
  const kinds = new Set(rules.map((rule) => rule[0]));
  assert.deepEqual([...kinds].sort(), ["amount", "date", "month", "target"]);
});

// The program rounds an amount; the script writes the amount of the data,
// up to 2^51 cents, beyond which a number no longer holds each cent of it.
const beyondCents = ([kind, , , data]) => kind === "amount" && Math.abs(data) * 100 >= 2 ** 51;
for (const [kind, input, ...expected] of rules.filter((rule) => !beyondCents(rule))) {
  test(`${kind} ${input}`, () => {
    if (kind === "amount") {
      const data = Number(expected[1]);
      assert.equal(format.amount(data), expected[0]);
      assert.equal(format.csvNumber(data), expected[1].replace(".", ","));
    } else if (kind === "target") {
      assert.equal(format.exactAmount(Number(input)), expected[0]);
    } else if (kind === "date") {
      const x = format.dayNumberOfIso(input);
      assert.equal(format.dateText(x), expected[0]);
      assert.equal(format.weekday(x), expected[1]);
    } else {
      assert.equal(kind, "month");
      assert.equal(format.monthText(input), expected[0]);
    }
  });
}

// The figures of today and of a floor (src/chart/page_lines.js) on lines of
// a few points: each row gives the points [day, closing, lowest of a week or
// a month], config.txt's period, today and the floor, and what the cell of
// "se puede gastar hoy" shows (or, with `first`, "primer día por debajo").
vm.runInContext(readFileSync(new URL("src/chart/page_lines.js", root), "utf8") +
  "\nthis.lines = balvixLines;", context);
const days = (...closings) => closings.map((v, k) => [`2027-01-0${k + 1}`, v]);
const weeks = [["2027-01-03", 500, 500], ["2027-01-10", 400, 100], ["2027-01-17", 300, 200]];
const figureRows = [
  ["today the first day", days(40, 50, 80), "2027-01-01", 0, "40'00", "el saldo más bajo que queda, el 01/01/2027"],
  ["today the last day", days(40, 50, 80), "2027-01-03", 0, "80'00", "el saldo más bajo que queda, el 03/01/2027"],
  ["today before the walk", days(40, 50, 80), "2026-12-01", 0, "40'00", "desde el 01/01/2027; el saldo más bajo que queda, el 01/01/2027"],
  ["today after a walk cut short", days(40, 50, 80), "2027-02-01", 0, "sin proyectar", "hoy es posterior al último día proyectado, el 03/01/2027; para llegar a hoy, proyecte con int o hasta una fecha a partir de hoy"],
  ["today after the period", days(40, 50, 80), "2027-02-01", 0, "sin proyectar", "hoy es posterior al último día del periodo de config.txt, el 03/01/2027; para llegar a hoy, amplíe el periodo en config.txt", "2027-01-03"],
  ["a lowest of exactly 0'00", days(40, 0, 80), "2027-01-01", 0, "nada", "el saldo llega a 0'00 el 02/01/2027"],
  ["a lowest exactly at the cushion", days(60, 50, 80), "2027-01-01", 50, "nada", "el saldo llega al colchón el 02/01/2027"],
  ["what stays above the cushion", days(40, 50, 80), "2027-01-01", 30, "10'00", "el saldo más bajo que queda, el 01/01/2027"],
  ["a lowest below the cushion", days(60, 40, 80), "2027-01-01", 45, "nada", "el saldo baja del colchón el 02/01/2027"],
  ["a week begun before today, a lower one later", [weeks[0], ["2027-01-10", 400, 300], ["2027-01-17", 300, 100]], "2027-01-06", 0, "100'00", "el saldo más bajo que queda, la semana hasta el 17/01/2027"],
  ["a week begun before today, the lowest", weeks, "2027-01-06", 0, "100'00", "el saldo más bajo de la semana hasta el 10/01/2027, que empezó antes de hoy"],
  ["a week begun today", weeks, "2027-01-04", 0, "100'00", "el saldo más bajo que queda, la semana hasta el 10/01/2027"],
  ["a week begun before today, its lowest below the cushion", weeks, "2027-01-06", 150, "nada", "el saldo más bajo de la semana hasta el 10/01/2027, que empezó antes de hoy, baja del colchón"],
  ["a month begun before today", [["2027-01-31", 400, -50], ["2027-02-28", 300, 200]], "2027-01-20", 0, "nada", "el saldo más bajo del mes hasta el 31/01/2027, que empezó antes de hoy, baja de cero"],
  ["first below the cushion: a day exactly at it is not below", days(60, 50, 40), null, 50, "03/01/2027 (40'00)"],
];
for (const [name, points, today, floor, text, detail, periodLast = "2027-12-31"] of figureRows) {
  test(`today's figures: ${name}`, () => {
    const step = points[0].length === 2 ? "dia" :
      format.dayNumberOfIso(points[1][0]) - format.dayNumberOfIso(points[0][0]) === 7 ? "semana" : "mes";
    const data = { paso: step, dias: points.map((p) => p[0]), saldos: points.map((p) => p[1]),
      periodo: { desde: "2027-01-01", hasta: periodLast } };
    const lows = points.map((p) => p[p.length - 1]);
    if (step !== "dia") data.minimos = lows;
    data.minimosFuturos = lows.map((_, k) => Math.min(...lows.slice(k)));
    const line = context.lines.linesOf(data, data.dias.map(format.dayNumberOfIso))[0];
    if (today === null) {
      assert.equal(context.lines.firstBelow(line, floor), text);
      return;
    }
    const figure = context.lines.spendToday(line, format.dayNumberOfIso(today), floor);
    assert.deepEqual([figure.text, figure.detail], [text, detail]);
  });
}
