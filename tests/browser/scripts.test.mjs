// The pure functions of the page's scripts, with node's own test runner
// (node --test scripts.test.mjs): the formatting script (page_format.js)
// over the table of rules the program passes too (tests/page/page_rules.txt),
// and tables of the date axis's ticks (page_ticks.js), the lines and their
// figures (page_lines.js), the amounts typed (page_controls.js), the CSV
// files (page_downloads.js), a scenario typed in the page (page_typed.js)
// and a new scenario's name (page_names.js).
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import test from "node:test";
import vm from "node:vm";

const root = new URL("../../", import.meta.url);
// What the page hands its scripts of the program's files, as the program
// writes it (tests/driver/chart_page_test.cpp checks it is).
const files = JSON.parse(readFileSync(new URL("tests/page/file_rules.json", root), "utf8"));
const context = vm.createContext({ TextEncoder, balvixBlocks: { files } });
for (const script of ["page_typed", "page_names", "page_kept", "page_format", "page_ticks", "page_lines", "page_marks", "page_chart", "page_controls",
  "page_downloads"]) {
  vm.runInContext(readFileSync(new URL(`src/web/${script}.js`, root), "utf8"), context);
}
const { format, ticks, lines: balanceLines, controls, downloads, typed, names, kept: keptBoxes } = vm.runInContext(
  "({ format: balvixFormat, ticks: balvixTicks, lines: balvixLines, controls: balvixControls, " +
  "downloads: balvixDownloads, typed: balvixTyped, names: balvixNames, kept: balvixKept })",
  context);
const rules = readFileSync(new URL("tests/page/page_rules.txt", root), "utf8")
  .split("\n").filter((line) => line !== "" && !line.startsWith("#"))
  .map((line) => line.split("|"));

test("the table has every kind of rule", () => {
  const kinds = new Set(rules.map((rule) => rule[0]));
  assert.deepEqual([...kinds].sort(), ["amount", "date", "month", "sum", "target"]);
});

// The program rounds an amount; the script writes the amount of the data,
// which holds it so rounded. A sum beyond any number is null in the data.
for (const [kind, input, ...expected] of rules) {
  test(`${kind} ${input}`, () => {
    if (kind === "amount") {
      const data = Number(expected[1]);
      assert.equal(format.amount(data), expected[0]);
      assert.equal(format.csvNumber(data), expected[1].replace(".", ","));
    } else if (kind === "sum") {
      for (const data of isFinite(input) ? [Number(input)] : [Number(input), null]) {
        assert.equal(format.sum(data), expected[0]);
        assert.equal(format.csvNumber(data), expected[1].replace(".", ","));
      }
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

// The figures of today and of a floor (src/web/page_lines.js) on lines of
// a few points: each row gives the points [day, closing, lowest of a week or
// a month], config.txt's period, today and the floor, and what the cell of
// "se puede gastar hoy" shows (or, with `first`, "primer día por debajo").
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
    const line = balanceLines.linesOf(data)[0];
    if (today === null) {
      assert.equal(balanceLines.firstBelow(line, floor), text);
      return;
    }
    const figure = balanceLines.spendToday(line, format.dayNumberOfIso(today), floor);
    assert.deepEqual([figure.text, figure.detail], [text, detail]);
  });
}

// Today's figures on a page of weeks from the engine's record lows: exact to
// the day, the cushion's first day below included; a line whose lows do not
// hold today stays as it is.
test("today's figures from the engine's record lows", () => {
  const data = { paso: "semana", dias: weeks.map((p) => p[0]), saldos: weeks.map((p) => p[1]),
    minimos: weeks.map((p) => p[2]), minimosFuturos: [100, 100, 200],
    periodo: { desde: "2027-01-01", hasta: "2027-12-31" } };
  const lines = balanceLines.linesOf(data);
  const today = format.dayNumberOfIso("2027-01-06");
  const lows = [[["2027-01-01", 500], ["2027-01-05", 150], ["2027-01-06", 300], ["2027-01-09", 100]]];
  const [line] = balanceLines.exactLines(lines, lows, today);
  const figure = (floor) => Object.values(balanceLines.spendToday(line, today, floor));
  assert.deepEqual(figure(0), ["100'00", "el saldo más bajo que queda, el 09/01/2027"]);
  assert.deepEqual(figure(150), ["nada", "el saldo baja del colchón el 09/01/2027"]);
  assert.equal(balanceLines.firstBelow(line, 200), "05/01/2027 (150'00)");
  assert.equal(balanceLines.exactLines(lines, lows, today + 1)[0], lines[0]);
});

// The ticks of the date axis and their labels, each "aaaa-mm-dd label", for
// a chart of a width showing the days from one day to another.
const tickRows = [
  ["two months, on the 1st and the 15th", 390, "2027-01-01", "2027-02-28",
    ["2027-01-01 01/01", "2027-01-15 15/01", "2027-02-01 01/02", "2027-02-15 15/02"]],
  ["three days, each", 1280, "2027-03-04", "2027-03-06",
    ["2027-03-04 04/03", "2027-03-05 05/03", "2027-03-06 06/03"]],
  ["a year on a phone, every other month, the first with its year", 390, "2027-01-01",
    "2027-12-31", ["2027-01-01 ene 2027", "2027-03-01 mar", "2027-05-01 may", "2027-07-01 jul",
      "2027-09-01 sep", "2027-11-01 nov"]],
  ["two years, each January with its year", 640, "2027-07-01", "2029-06-30",
    ["2027-07-01 jul 2027", "2027-10-01 oct", "2028-01-01 ene 2028", "2028-04-01 abr",
      "2028-07-01 jul", "2028-10-01 oct", "2029-01-01 ene 2029", "2029-04-01 abr"]],
  ["beyond 800 days with fewer than three years, months", 390, "2027-01-15", "2029-06-01",
    ["2027-07-01 jul 2027", "2028-01-01 ene 2028", "2028-07-01 jul", "2029-01-01 ene 2029"]],
  ["three centuries on a phone, years by fifties", 390, "1700-01-01", "2000-01-01",
    ["1700-01-01 1700", "1750-01-01 1750", "1800-01-01 1800", "1850-01-01 1850",
      "1900-01-01 1900", "1950-01-01 1950", "2000-01-01 2000"]],
];
for (const [name, width, from, to, expected] of tickRows) {
  test(`date axis: ${name}`, () => {
    const { kind, ticks: days } = ticks.dateTicks(width, format.dayNumberOfIso(from),
      format.dayNumberOfIso(to));
    const labels = ticks.tickLabels(kind, days);
    // Arrays of the scripts' own realm, made ours to compare.
    assert.deepEqual(Array.from(days, (x, k) => format.isoOfDayNumber(x) + " " + labels[k]),
      expected);
  });
}

// The plan's data of points [day, closing], and a scenario of its own.
const planOf = (points, scenario) => ({ paso: "dia", dias: points.map((p) => p[0]),
  saldos: points.map((p) => p[1]), puesto: points.map(() => 0),
  quitado: points.map((p) => Math.max(0, -p[1])), minimosFuturos: points.map((p) => p[1]),
  escenarios: scenario ? [scenario] : [] });
const scenarioOf = (name, points) => ({ nombre: name, paso: "dia",
  dias: points.map((p) => p[0]), saldos: points.map((p) => p[1]) });
const linesOf = (data) => balanceLines.linesOf(data);

// Each line's balance on the days of every line: null where it has none.
const dayRows = [
  ["a scenario that ends first", [["2027-01-01", 1], ["2027-01-02", 2], ["2027-01-03", 3]],
    [["2027-01-01", 5], ["2027-01-02", 6]], [[1, 5], [2, 6], [3, null]]],
  ["a scenario that goes on after the plan", [["2027-01-01", 1], ["2027-01-02", 2]],
    [["2027-01-01", 5], ["2027-01-02", 6], ["2027-01-03", 7]], [[1, 5], [2, 6], [null, 7]]],
  ["points on other days, in order", [["2027-01-03", 1], ["2027-01-10", 2]],
    [["2027-01-03", 5], ["2027-01-07", 6]], [[1, 5], [null, 6], [2, null]]],
];
for (const [name, plan, scenario, expected] of dayRows) {
  test(`lines: ${name}`, () => {
    const lines = linesOf(planOf(plan, scenarioOf("s", scenario)));
    const xs = balanceLines.allDays(lines);
    const on = (line) => balanceLines.valuesOn(line, line.source.saldos, xs);
    assert.deepEqual(Array.from(xs, (x, k) => [on(lines[0])[k], on(lines[1])[k]]), expected);
  });
}

test("lines: a scenario keeps its colour and dash when the real line comes and others go", () => {
  const plan = [["2027-01-01", 1]];
  const pairsOf = (names, real) => Array.from(balanceLines.linesOf({ ...planOf(plan),
    escenarios: names.map((name) => scenarioOf(name, plan)) }, real).slice(1),
  (line) => [line.name, line.colour + line.dash]);
  const six = ["a", "b", "c", "d", "e", "f"];
  const first = new Map(pairsOf(six));
  const withReal = pairsOf(["real (banco)", ...six], true);
  assert.equal(new Set(withReal.map(([, pair]) => pair)).size, 7, "seven lines told apart");
  for (const [name, pair] of withReal.slice(1)) {
    assert.equal(pair, first.get(name), name);
  }
  const fewer = pairsOf(["b", "d", "g"]);
  assert.deepEqual(fewer.slice(0, 2), [["b", first.get("b")], ["d", first.get("d")]]);
  assert.equal(fewer[2][1], first.get("a"), "a new scenario takes the first free pair");
});

// The CSV files, each line of them after the byte-order mark.
const csvRows = [
  ["each day, its balance, what it moved and its future minimum, with a decimal comma",
    (data) => downloads.pointsCsv(data, linesOf(data), linesOf(data)[0].xs),
    planOf([["2027-01-01", -900.49], ["2027-01-02", 1234567.5]]),
    ["Fecha;Saldo;Puesto;Quitado;Mínimo futuro", "01/01/2027;-900,49;0,00;900,49;-900,49",
      "02/01/2027;1234567,50;0,00;0,00;1234567,50"]],
  ["a scenario's column, empty where it has no point, its name quoted around a \";\"",
    (data) => downloads.pointsCsv(data, linesOf(data), balanceLines.allDays(linesOf(data))),
    planOf([["2027-01-01", 1], ["2027-01-02", 2]], scenarioOf("a;b", [["2027-01-01", 3]])),
    ["Fecha;Saldo;Puesto;Quitado;Mínimo futuro;\"Saldo a;b\"",
      "01/01/2027;1,00;0,00;0,00;1,00;3,00", "02/01/2027;2,00;0,00;0,00;2,00;"]],
  ["the months, named, their lowest day a date", (data) => downloads.monthsCsv(data),
    { meses: [{ mes: "2027-02", cierre: 10, minimo: -0.5, diaMinimo: "2027-02-03", puesto: 1,
      quitado: 2.25 }] },
    ["Mes;Saldo al cierre;Saldo más bajo;Día del más bajo;Puesto;Quitado",
      "febrero 2027;10,00;-0,50;03/02/2027;1,00;2,25"]],
];
for (const [name, file, data, expected] of csvRows) {
  test(`CSV: ${name}`, () => {
    const text = file(data);
    assert.ok(text.startsWith("\ufeff") && text.endsWith("\r\n"));
    assert.deepEqual(text.slice(1, -2).split("\r\n"), expected);
  });
}

// An amount typed in the cushion's field (unsigned) or today's balance
// (signed): its value and the plain decimal the page's engine reads.
for (const [text, signed, expected] of [
  ["500", false, [500, "500"]],
  [" 500,50 ", false, [500.5, "500.50"]],
  ["1234'5", true, [1234.5, "1234.5"]],
  ["-120,5", true, [-120.5, "-120.5"]],
  ["80.", true, [80, "80"]],
  ["-120", false, null],
  ["1.234,56", true, null],
  ["12,345", true, null],
  ["-", true, null],
  ["1e3", true, null],
  ["1234567890123", true, null],
]) {
  test(`amount typed ${JSON.stringify(text)}${signed ? ", signed" : ""}`, () => {
    const amount = controls.amountOf(text, signed);
    assert.deepEqual(amount && [amount.value, amount.plain], expected);
  });
}

// A scenario typed in the page, read as the same text in a UTF-8 file: the
// bytes the engine reads (hexadecimal) and the faults of characters no
// Windows-1252 file holds, each "line field character".
const nomina = "Nomina|1850.50|poner|mensualidad|1|0";
for (const [name, text, bytes, faults] of [
  ["Windows-1252's own characters are their bytes", "€ñ–", "80f196", []],
  ["a minus sign is the file's dash, left to the engine", "\u2212" + nomina, "e28892", []],
  ["marks before a - are a file's marks, skipped", "\ufeff-A\n\u200b-A", "efbbbf2d", []],
  ["any other character is a fault of its line, named", "; c\u2603\nA|1\u{1F600}|x\n\u200bP|1",
    "3b2063e29883", ["1 comentario \u2603", "1 dinero \u{1F600}", "2 comentario \u200b"]],
]) {
  test(`typed scenario: ${name}`, () => {
    assert.ok(Buffer.from(typed.bytesOf(text)).toString("hex").startsWith(bytes));
    assert.deepEqual(Array.from(typed.characterFaults(text, "x"), (f) =>
      f.text.replace(/^x Línea (\d+) \[(.*)\] es erroneo, carácter que no cabe en el fichero: «(.*)» \(U\+[0-9A-F]+\) \.\.\.$/,
        "$1 $2 $3")), faults);
  });
}

// Every character of Windows-1252 is its own byte for the engine, as the
// program's table has it (the one handed in the page).
test("typed scenario: the 256 characters of Windows-1252", () => {
  for (let byte = 0; byte < 256; ++byte) {
    const character = String.fromCharCode(byte >= 0x80 && byte < 0xa0 ?
      files.windows1252[byte - 0x80] : byte);
    assert.deepEqual([...typed.bytesOf(character)], [byte], character);
    assert.equal(typed.beyond(character), "");
  }
});

// A scenario's file as "Guardar" writes it (CR LF, a final line end, none
// for an empty text), and the text of a file's bytes.
for (const [text, bytes] of [["a\nb\r\n\n", "610d0a620d0a0d0a"], ["\n", ""], ["€", "800d0a"]]) {
  test(`typed scenario: the file of ${JSON.stringify(text)}`, () => {
    assert.equal(Buffer.from(typed.fileBytes(text)).toString("hex"), bytes);
  });
}
test("typed scenario: a file's bytes as text", () => {
  assert.equal(typed.fromBytes("\x80\x81\x9f\xff"), "€\u0081Ÿÿ");
});

// What "Copiar para entrada.txt" copies: the lines that add movements.
test("typed scenario: only the lines that add are copied", () => {
  assert.equal(typed.addedLines("\ufeffA|1\r\n -" + nomina + "\n\u2013" + nomina + "\n\ufeff-" + nomina +
    "\n; c\n\nB|2\n"), "A|1\r\nB|2");
});

// The count of a box's lines.
for (const [text, count] of [["a\n".repeat(1000), 1000], ["a\r\nb\rc", 3], ["", 0]]) {
  test(`typed scenario: ${count} lines`, () => assert.equal(typed.lineCount(text), count));
}

// A new scenario's name, over the table of names the program passes too
// (tests/input/scenario_names.txt), each with its own message; and beside
// the boxes' names, in any letter case.
const nameRows = readFileSync(new URL("tests/input/scenario_names.txt", root), "utf8")
  .split("\n").filter((line) => line !== "" && !line.startsWith("#"))
  .map((line) => [line.slice(0, line.indexOf("|")).replace(/\\u\{([0-9A-F]+)\}/g,
    (_, hex) => String.fromCodePoint(parseInt(hex, 16))), line.slice(line.indexOf("|") + 1)]);
test("the table of names has a name of each kind", () => assert.ok(nameRows.length > 30));
for (const [name, fault] of nameRows) {
  test(`scenario name ${JSON.stringify(name)}`, () => assert.equal(names.nameFault(name), fault));
}
for (const [name, taken, fault] of [["coche 2", ["coche"], ""],
  ["Coche", ["coche"], "Ya hay un escenario con ese nombre."], ["CON", ["con"], nameRows.find(
    ([row]) => row === "CON")[1]]]) {
  test(`scenario name ${name} beside ${taken}`, () => assert.equal(names.newNameFault(name, taken), fault));
}

// What the browser keeps: only what the editor writes, else nothing.
for (const [stored, kept] of [
  [null, []], ["[null]", null], ['[1,"x",true]', null], ["[{}]", null], ["{", null],
  ['{"a":1}', null], ['[{"nombre":"a","texto":"b","fichero":true,"desde":"c"}]',
    [{ nombre: "a", texto: "b", fichero: true, desde: "c" }]],
]) {
  test(`typed scenario: kept ${stored}`, () => {
    assert.deepEqual(JSON.parse(JSON.stringify(keptBoxes.keptScenarios(stored))), kept);
  });
}
