// The chart pages of balvix-grafico in Debian's Chromium, driven by
// playwright-core (pinned in package-lock.json).
//
// usage: node page.test.mjs EXAMPLE TIGHT AMOUNT TWO_MONTHS WEEKS SCENARIOS SIX
//   [SCREENSHOT_DIR]
//        node page.test.mjs --engine PAGE...
// EXAMPLE is the page of the example year, TIGHT that of a tight year that
// goes below zero in several stretches, AMOUNT the tight year run to an
// amount above every balance, TWO_MONTHS the tight year run to 28/02, WEEKS a
// page of six centuries drawn in weeks (the example with its scenario of a
// car), SCENARIOS the tight year with three
// scenarios, SIX the tight year run to 2.000'00 with six. With SCREENSHOT_DIR, the
// example page is also saved there as grafico.png (1280 px wide) and
// grafico-movil.png (390 px), and its chart with the car's line and the
// readout of a day it adds a movement as grafico-escenario.png and
// grafico-escenario-movil.png, and a scenario typed in the page with a
// fault as grafico-escrito.png. CHROMIUM names another browser.
import assert from "node:assert/strict";
import { execFile } from "node:child_process";
import { copyFile, mkdir, mkdtemp, readFile, rm, writeFile } from "node:fs/promises";
import os from "node:os";
import { createRequire } from "node:module";
import path from "node:path";
import { chromium } from "playwright-core";

const [examplePage, tightPage, amountPage, twoMonthsPage, weeksPage, scenariosPage, sixPage,
  screenshots] = process.argv.slice(2);
const url = (file) => "file://" + path.resolve(file);
const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking"],
});
let failures = 0;

async function check(name, body) {
  try {
    await body();
    console.log("ok   " + name);
  } catch (e) {
    failures++;
    console.log("FAIL " + name + "\n" + e.message);
  }
}

// Keeps each text the page draws on its canvas in window.textsDrawn: what
// the chart shows.
function recordTexts() {
  window.textsDrawn = [];
  const fillText = CanvasRenderingContext2D.prototype.fillText;
  CanvasRenderingContext2D.prototype.fillText = function (text, ...rest) {
    window.textsDrawn.push(text);
    return fillText.call(this, text, ...rest);
  };
}

// The labels of the date axis drawn so far: "05/03", "feb", "ene 2027", "2027".
const dateLabels = (page) => page.evaluate(() => window.textsDrawn.filter((t) =>
  /^(\d\d\/\d\d|\d{4}|(ene|feb|mar|abr|may|jun|jul|ago|sep|oct|nov|dic)( \d{4})?)$/.test(t)));

async function open(file, width = 1280, height = 900) {
  const page = await browser.newPage({ viewport: { width, height } });
  const errors = [];
  page.on("pageerror", (e) => errors.push(e.message));
  page.on("request", (r) => {
    if (!r.url().startsWith("file:") && !r.url().startsWith("data:")) errors.push("request " + r.url());
  });
  await page.addInitScript(recordTexts);
  await page.goto(url(file));
  await page.waitForFunction(() => window.balvixDrawMs !== undefined);
  page.errors = errors;
  return page;
}

// The position in the page of day `iso` on the chart, at the middle height.
async function pointOf(page, iso) {
  return page.evaluate((iso) => {
    const datos = JSON.parse(document.getElementById("datos").textContent);
    const u = window.balvixPlot;
    const i = datos.dias.indexOf(iso);
    u.over.scrollIntoView({ block: "center" });
    const caja = u.over.getBoundingClientRect();
    return { x: caja.left + u.valToPos(u.data[0][i], "x"), y: caja.top + caja.height / 2 };
  }, iso);
}

// What axe-core (pinned in package-lock.json) finds wrong for readers of
// every kind on `page`: "rule (impact): where", one per rule.
const axeScript = createRequire(import.meta.url).resolve("axe-core/axe.min.js");
async function axeViolations(page) {
  await page.addScriptTag({ path: axeScript });
  return page.evaluate(async () => (await axe.run()).violations.map((v) =>
    `${v.id} (${v.impact}): ${v.nodes.map((n) => n.target.join(" ")).slice(0, 3).join(", ")}`));
}

// The page's engine, run on the inputs `file` carries, gives its data and
// body byte for byte, and no fault; and the page can fetch nothing.
async function givesItsOwnPage(file) {
  const page = await open(file);
  const got = await page.evaluate(async () => {
    await balvixEngine.ready;
    return balvixEngine.run(JSON.parse(document.getElementById("entradas").textContent));
  });
  const bytes = await readFile(file, "utf8");
  assert.equal(got.datos, bytes.match(/id="datos">([\s\S]*?)<\/script>/)[1], file);
  assert.equal(got.html, bytes.match(/<\/h1>\r\n([\s\S]*?)<\/main>/)[1], file);
  assert.deepEqual([got.errores, got.mensaje], [[], ""], file);
  assert.equal(await page.evaluate(() => fetch(location.href).then(() => "fetched", () => "refused")),
    "refused");
  await page.close();
}

// node page.test.mjs --engine PAGE...: that check alone, on pages written
// elsewhere (the Windows program's, under Wine).
if (process.argv[2] === "--engine") {
  for (const file of process.argv.slice(3)) {
    await check("the engine of " + file + " gives its own page", () => givesItsOwnPage(file));
  }
  await browser.close();
  process.exit(failures > 0 ? 1 : 0);
}

const tight = await open(tightPage);

// A build that made the page's engine (BALVIX_ENGINE=ON, from CMake) writes
// pages that carry it; one that could not (OFF) writes pages that work
// without it and say so. Run by hand, the pages tell.
const withEngine = await tight.evaluate(() => balvixEngine.available);
const engineExpected = { ON: true, OFF: false }[process.env.BALVIX_ENGINE] ?? withEngine;
await check(withEngine ? "the pages carry the page's engine" : "the pages carry no engine, as built",
  async () => assert.equal(withEngine, engineExpected, "BALVIX_ENGINE=" + process.env.BALVIX_ENGINE));
// A check of the engine itself, run only where the page has it, and counted.
let engineChecks = 0;
const engineCheck = (name, body) => withEngine && (engineChecks++, check(name, body));

await check("the readout shows every movement of the day under the cursor", async () => {
  // 01/01/2027 holds three movements, and the readout names them all.
  const p = await pointOf(tight, "2027-01-01");
  await tight.mouse.move(p.x, p.y);
  const items = await tight.locator("#lectura li").allTextContents();
  assert.deepEqual(items, [
    "Alquiler: quitar 900'00",
    "Luz: quitar 60'00",
    "Internet: quitar 40'49",
  ]);
  assert.match(await tight.locator("#lectura").innerText(), /viernes 01\/01\/2027: saldo al final del día -900'49; se podría gastar ese día nada sin bajar del colchón/);
});

await check("a tap or a slide shows the day under the finger", async () => {
  const page = await browser.newPage({ viewport: { width: 390, height: 800 }, hasTouch: true });
  await page.goto(url(tightPage));
  await page.waitForFunction(() => window.balvixDrawMs !== undefined);
  const p = await pointOf(page, "2027-02-28");
  await page.touchscreen.tap(p.x, p.y);
  assert.match(await page.locator("#lectura").innerText(), /domingo 28\/02\/2027/);
  // A finger sliding along the chart reads the days it passes.
  const q = await pointOf(page, "2027-06-20");
  const cdp = await page.context().newCDPSession(page);
  const touch = (type, at) => cdp.send("Input.dispatchTouchEvent", { type, touchPoints: at ? [at] : [] });
  await touch("touchStart", p);
  await touch("touchMove", q);
  assert.match(await page.locator("#lectura").innerText(), /domingo 20\/06\/2027/);
  await touch("touchEnd");
  await page.close();
});

await check("zooming into a stretch fits the vertical axis to it", async () => {
  const page = await open(examplePage);
  const from = await pointOf(page, "2027-11-01");
  const to = await pointOf(page, "2027-11-30");
  // The mouse moves by whole pixels: inside the month, not on a day before it.
  await page.mouse.move(Math.ceil(from.x), from.y);
  await page.mouse.down();
  await page.mouse.move(Math.floor(to.x), to.y, { steps: 5 });
  await page.mouse.up();
  const scale = await page.evaluate(() => {
    const u = window.balvixPlot;
    // Every line shown, the scenarios' too.
    const ys = u.data.slice(1).filter((d, k) => u.series[k + 1].show).flatMap((d) =>
      d.slice(u.valToIdx(u.scales.x.min), u.valToIdx(u.scales.x.max) + 1));
    return { min: u.scales.y.min, max: u.scales.y.max, low: Math.min(...ys), high: Math.max(...ys) };
  });
  // The days shown all end above zero: zero is no longer on the axis, and
  // the axis spans little more than the balances shown.
  assert.ok(scale.low > 0, JSON.stringify(scale));
  assert.ok(scale.min > 0 && scale.min <= scale.low && scale.max >= scale.high, JSON.stringify(scale));
  assert.ok(scale.max - scale.min < 2 * (scale.high - scale.low) + 1, JSON.stringify(scale));
  await page.close();
});

// The y scale and the balances shown after dragging from day `from` to `to`.
async function zoomInto(page, from, to) {
  const a = await pointOf(page, from);
  const b = await pointOf(page, to);
  await page.mouse.move(a.x, a.y);
  await page.mouse.down();
  await page.mouse.move(b.x, b.y, { steps: 5 });
  await page.mouse.up();
  return page.evaluate(() => {
    const u = window.balvixPlot;
    // Every line shown, the scenarios' too.
    const ys = u.data.slice(1).filter((d, k) => u.series[k + 1].show).flatMap((d) =>
      d.slice(u.valToIdx(u.scales.x.min), u.valToIdx(u.scales.x.max) + 1));
    return { min: u.scales.y.min, max: u.scales.y.max, low: Math.min(...ys), high: Math.max(...ys) };
  });
}

await check("an amount run keeps its target in view, labelled as the key figure writes it, and zooming into the first month fits the axis", async () => {
  const page = await openOn(amountPage, null);
  assert.ok((await page.evaluate(() => window.textsDrawn)).includes("objetivo 5.000'005"));
  assert.match(await page.locator("body").innerText(), /hasta que el saldo llegue a 5\.000'005/);
  const [target, high, max] = await page.evaluate(() => {
    const datos = JSON.parse(document.getElementById("datos").textContent);
    return [datos.objetivo, Math.max(...datos.saldos), window.balvixPlot.scales.y.max];
  });
  assert.ok(high < target && target <= max, JSON.stringify({ target, high, max }));
  const scale = await zoomInto(page, "2027-01-01", "2027-01-31");
  assert.ok(scale.max < target, JSON.stringify(scale));
  assert.ok(scale.min <= scale.low && scale.max >= scale.high, JSON.stringify(scale));
  assert.ok(scale.max - scale.min < 2 * (scale.high - scale.low) + 1, JSON.stringify(scale));
  assert.deepEqual(page.errors, []);
  await page.close();
});

await check("two months at 390 px have their ticks on the 1st and the 15th", async () => {
  const page = await open(twoMonthsPage, 390, 800);
  const days = (await dateLabels(page)).map((label) => +label.slice(0, 2));
  assert.ok(days.includes(1) && days.includes(15), days.join(" "));
  assert.ok(days.every((d) => d === 1 || d === 15), days.join(" "));
  await page.close();
});

// An amount of whole cents as the page writes it.
function amountText(v) {
  const [units, cents] = Math.abs(v).toFixed(2).split(".");
  return (v < 0 ? "-" : "") + units.replace(/\B(?=(\d{3})+$)/g, ".") + "'" + cents;
}

// What the readout says could be spent on a day whose line's future minimum
// is `low`, above the cushion `cushion`.
const spendText = (low, cushion = 0) => "; se podría gastar ese día " +
  (low > cushion ? amountText(low - cushion) : "nada") + " sin bajar del colchón";

await check("a page of weeks reads a point's own lowest, and the weekday of any year", async () => {
  const page = await open(weeksPage);
  const datos = await page.evaluate(() => JSON.parse(document.getElementById("datos").textContent));
  assert.equal(datos.paso, "semana");
  const weekdays = ["domingo", "lunes", "martes", "miércoles", "jueves", "viernes", "sábado"];
  // A week of 1520, and one past a million at the end.
  for (const at of [Math.floor(datos.dias.length / 5), datos.dias.length - 3]) {
    const p = await pointOf(page, datos.dias[at]);
    await page.mouse.move(p.x, p.y);
    const i = await page.evaluate(() => window.balvixPlot.cursor.idx);
    const [y, m, d] = datos.dias[i].split("-");
    const weekday = weekdays[new Date(Date.UTC(+y, m - 1, +d)).getUTCDay()];
    assert.notEqual(datos.minimos[i], datos.saldos[i]);
    assert.equal((await page.locator("#lectura").innerText()).split("\n")[0],
      `semana hasta el ${weekday} ${d}/${m}/${y}: saldo al cierre ${amountText(datos.saldos[i])}, ` +
      `el más bajo ${amountText(datos.minimos[i])}; puesto ${amountText(datos.puesto[i])}, ` +
      `quitado ${amountText(datos.quitado[i])}` + spendText(datos.minimosFuturos[i]));
  }
  assert.ok(datos.saldos[datos.saldos.length - 3] >= 1e6);
  await page.close();
});

await check("the balance line cannot be hidden from the legend", async () => {
  await tight.locator(".u-legend .u-series").nth(1).click();
  assert.equal(await tight.evaluate(() => window.balvixPlot.series[1].show), true);
});

// The file a CSV link gives when it is followed.
async function csvOf(page, id) {
  const [download] = await Promise.all([page.waitForEvent("download"), page.click("#" + id)]);
  return (await readFile(await download.path())).toString("utf8");
}

await check("the CSV of the days holds the page's data", async () => {
  const [text, datos] = await Promise.all([
    csvOf(tight, "csv-dias"),
    tight.evaluate(() => JSON.parse(document.getElementById("datos").textContent)),
  ]);
  assert.equal(await tight.evaluate(() => document.querySelector(".descargas").hidden), false);
  assert.ok(text.startsWith("\ufeffFecha;Saldo;Puesto;Quitado;Mínimo futuro\r\n"));
  const rows = text.slice(1).split("\r\n").slice(1, -1).map((r) => r.split(";"));
  assert.equal(rows.length, datos.dias.length);
  const number = (t) => Number(t.replace(",", "."));
  rows.forEach((r, i) => {
    const [a, m, d] = datos.dias[i].split("-");
    assert.equal(r[0], `${d}/${m}/${a}`);
    assert.deepEqual(r.slice(1).map(number), [
      datos.saldos[i], datos.puesto[i], datos.quitado[i], datos.minimosFuturos[i],
    ]);
    assert.ok(r.slice(1).every((t) => /^-?\d+,\d\d$/.test(t)), r.join(";"));
  });
});

await check("the CSV of the months holds the month table", async () => {
  const text = await csvOf(tight, "csv-meses");
  const lines = text.split("\r\n");
  assert.equal(lines[0], "\ufeffMes;Saldo al cierre;Saldo más bajo;Día del más bajo;Puesto;Quitado");
  assert.equal(lines.length, 14);
  assert.match(lines[1], /^enero 2027;[-\d]+,\d\d;-1260,49;23\/01\/2027;1500,00;[\d]+,\d\d$/);
});

await check("the page loads nothing and raises no error", async () => {
  assert.deepEqual(tight.errors, []);
});

await check("the comparison table shows each line's figures and differences of the data", async () => {
  const page = await open(scenariosPage);
  const { cells, expected } = await page.evaluate(() => {
    const datos = JSON.parse(document.getElementById("datos").textContent);
    const f = balvixFormat;
    const dif = (v) => "(" + (v === 0 ? "igual" : (v > 0 ? "+" : "") + f.amount(v)) + ")";
    const day = (iso) => (iso ? f.dateText(f.dayNumberOfIso(iso)) : "nunca");
    const column = (c, d) => [c.cierre, c.minimo.saldo, c.totalPuesto, c.totalQuitado]
      .map((v, k) => f.amount(v) + (d ? " " + dif([d.cierre, d.minimo, d.totalPuesto,
        d.totalQuitado][k]) : ""))
      .concat([day(c.primerDiaBajoCero), c.diasBajoCero]);
    const expected = [column(datos.cifras)].concat(datos.escenarios.map((e) =>
      column(e.cifras, e.diferencias).concat([e.nombre, e.anadidos.length, e.quitados.length])));
    const rows = [...document.querySelectorAll("table.comparacion tbody:not(.colchon) tr")];
    const cell = (label, i) => rows.find((r) => r.cells[0].textContent === label).cells[i + 1]
      .innerText.replace(/\s+/g, " ").trim();
    const cells = expected.map((_, i) => {
      const column = ["Saldo final", "Saldo más bajo", "Total puesto (poner)",
        "Total quitado (quitar)"].map((label) => cell(label, i).replace(/, el \S+/, ""))
        .concat([cell("Primer día por debajo de cero", i).replace(/ \(.*/, ""),
          +(cell("Días por debajo de cero", i).match(/^\d+/) || [0])[0]]);
      if (i === 0) return column;
      const heading = document.querySelectorAll("table.comparacion thead th")[i];
      const changes = heading.querySelector("summary").textContent;
      return column.concat([heading.querySelector(".nombre").textContent,
        +(changes.match(/\+(\d+)/) || [0, 0])[1], +(changes.match(/\u2212(\d+)/) || [0, 0])[1]]);
    });
    return { cells, expected };
  });
  assert.equal(cells.length, 4);
  assert.deepEqual(cells, expected);
  assert.deepEqual(page.errors, []);
  await page.close();
});

await check("the tables switch to a scenario's, and the current month is marked in each", async () => {
  const page = await browser.newPage({ viewport: { width: 1280, height: 900 } });
  await page.clock.setFixedTime(new Date(2027, 2, 10, 12));
  await page.goto(url(scenariosPage));
  const marked = () => page.locator("tr.mes-actual").evaluateAll((rows) =>
    rows.map((r) => r.getAttribute("data-mes")));
  // The engine writes a scenario's tables when they are picked; a page
  // without it holds them all from the start.
  const groups = await page.locator(".tablas-linea").count();
  const markedAtFirst = withEngine ? ["2027-03"] : Array(groups).fill("2027-03");
  assert.deepEqual(await marked(), markedAtFirst, "only the plan's tables are written at first");
  const shown = () => page.evaluate(() => {
    const datos = JSON.parse(document.getElementById("datos").textContent);
    const group = [...document.querySelectorAll(".tablas-linea")].filter((g) => !g.hidden);
    const line = +group[0].getAttribute("data-linea");
    const closings = line === 0 ? datos.meses.map((m) => m.cierre) : datos.escenarios[line - 1].meses.cierre;
    const stretches = line === 0 ? datos.tramosBajoCero : datos.escenarios[line - 1].tramosBajoCero;
    return {
      groups: group.length, line,
      closings: [...group[0].querySelectorAll("table.meses tbody tr")].map((r) => r.cells[1].innerText),
      expected: closings.map((v) => balvixFormat.amount(v)),
      stretches: group[0].querySelectorAll("table.tramos tbody tr").length,
      expectedStretches: stretches.length,
    };
  });
  let now = await shown();
  assert.equal(now.line, 0);
  await page.selectOption("#tablas-de", "2");
  now = await shown();
  assert.equal(now.groups, 1);
  assert.equal(now.line, 2);
  assert.deepEqual(now.closings, now.expected);
  assert.equal(now.stretches, now.expectedStretches);
  assert.deepEqual(await marked(), withEngine ? ["2027-03", "2027-03"] : markedAtFirst);
  await page.close();
});

// SAME_AS_PLAN: pages whose one scenario changes nothing, so that the tables
// the script writes for it must be those the program wrote for the plan.
await check("a scenario's tables, written by the script, read as the program writes the plan's", async () => {
  const pages = (process.env.SAME_AS_PLAN || "").split(" ").filter((p) => p !== "");
  assert.ok(pages.length > 0, "no SAME_AS_PLAN pages");
  for (const file of pages) {
    const page = await browser.newPage({ viewport: { width: 1280, height: 900 } });
    await page.clock.setFixedTime(new Date(2028, 1, 10, 12));
    await page.goto(url(file));
    assert.equal(await page.locator(".tablas-linea[data-linea='1'] *").count() === 0, withEngine, file);
    await page.selectOption("#tablas-de", "1");
    await page.selectOption("#tablas-de", "0");
    await page.selectOption("#tablas-de", "1");
    const [plan, scenario] = await page.evaluate(() =>
      [...document.querySelectorAll(".tablas-linea")].map((g) => g.hidden + g.innerHTML));
    assert.ok(plan.startsWith("true\n<h2>") && plan.includes("mes-actual"), file);
    assert.equal(scenario.replaceAll(": escenario igual &amp; mas</h2>", "</h2>"),
      plan.replace("true", "false"), file);
    await page.close();
  }
});

const example = await open(examplePage);
await check("axe-core finds nothing wrong on the page, wide and narrow", async () => {
  for (const width of [1280, 390]) {
    const page = await open(examplePage, width);
    assert.deepEqual(await axeViolations(page), [], `${width} px`);
    await page.close();
  }
});

await check("the example year's key figures are in the page", async () => {
  const text = await example.locator("body").innerText();
  for (const figure of ["12.110'55", "3.075'15, el 30/01/2027", "nunca", "25.907'00", "16.296'45",
    "diciembre 2027", "El saldo no termina ningún día por debajo de cero."]) {
    assert.ok(text.includes(figure), figure);
  }
  assert.equal(await example.locator("canvas").count(), 1);
});

await check("the axis labels a year by its months", async () => {
  // A chart as wide as the page, below the width that puts it in a column.
  const page = await open(examplePage, 1080);
  const labels = await dateLabels(page);
  assert.ok(labels.length >= 12, labels.join(" "));
  assert.ok(labels.includes("feb") && labels.includes("mar"), labels.join(" "));
  await page.close();
});

await check("the print style hides the hints and the buttons", async () => {
  await example.emulateMedia({ media: "print" });
  for (const selector of [".pista", ".botones", ".descargas"]) {
    assert.equal(await example.locator(selector).evaluate((e) => getComputedStyle(e).display), "none", selector);
  }
  await example.emulateMedia({ media: "screen" });
});

await check("at 390 px nothing is wider than the window", async () => {
  for (const file of [examplePage, tightPage, scenariosPage]) {
    const page = await open(file, 390, 800);
    const width = await page.evaluate(() => document.documentElement.scrollWidth);
    assert.ok(width <= 390, file + ": " + width);
    const labels = await dateLabels(page);
    assert.ok(labels.length >= 3, labels.join(" "));
    await page.close();
  }
});

const datosOf = (page) => page.evaluate(() => JSON.parse(document.getElementById("datos").textContent));

// A page of `file` with the browser's clock on `day` (ISO; the real clock
// without one), and the texts the chart draws in window.textsDrawn.
async function openOn(file, day, width = 1280) {
  const page = await browser.newPage({ viewport: { width, height: 900 } });
  page.errors = [];
  page.on("pageerror", (e) => page.errors.push(e.message));
  if (day) await page.clock.setFixedTime(new Date(day + "T10:00:00"));
  await page.addInitScript(recordTexts);
  await page.goto(url(file));
  await page.waitForFunction(() => window.balvixDrawMs !== undefined);
  return page;
}

const scenarios = await open(scenariosPage);
await check("a tick box hides and shows a scenario's line, and the last balance line shown stays", async () => {
  const boxes = scenarios.locator(".lineas input");
  assert.deepEqual(await scenarios.locator(".lineas label").allInnerTexts(),
    ["Plan", "clases", "nomina-el-1", "sin-alquiler"]);
  const shown = () => scenarios.evaluate(() => window.balvixPlot.series.map((s) => s.show));
  await boxes.nth(1).uncheck();
  assert.deepEqual(await shown(), [true, true, true, false, true, true]);
  await boxes.nth(1).check();
  assert.deepEqual(await shown(), [true, true, true, true, true, true]);
  for (const k of [0, 1, 2]) await boxes.nth(k).uncheck();
  await boxes.nth(3).click();
  assert.equal(await boxes.nth(3).isChecked(), true);
  assert.deepEqual(await shown(), [true, false, true, false, false, true]);
  for (const k of [0, 1, 2]) await boxes.nth(k).check();
});

await check("the readout gives every shown line's balance and the movements a scenario adds and takes away", async () => {
  const datos = await datosOf(scenarios);
  const i = datos.dias.indexOf("2027-01-15");
  const p = await pointOf(scenarios, "2027-01-15");
  await scenarios.mouse.move(p.x, p.y);
  const lines = async () => (await scenarios.locator("#lectura").innerText()).split("\n").filter(Boolean);
  assert.deepEqual((await lines()).slice(2), [
    `clases: saldo al final del día ${amountText(datos.escenarios[0].saldos[i])}` +
      spendText(datos.escenarios[0].minimosFuturos[i]),
    "añade Clases: quitar 120'00",
    `nomina-el-1: saldo al final del día ${amountText(datos.escenarios[1].saldos[i])}` +
      spendText(datos.escenarios[1].minimosFuturos[i]),
    `sin-alquiler: saldo al final del día ${amountText(datos.escenarios[2].saldos[i])}` +
      spendText(datos.escenarios[2].minimosFuturos[i])]);
  await scenarios.locator(".lineas input").nth(1).uncheck();
  const q = await pointOf(scenarios, "2027-01-28");
  await scenarios.mouse.move(q.x, q.y);
  const j = datos.dias.indexOf("2027-01-28");
  assert.deepEqual((await lines()).slice(2), [
    `nomina-el-1: saldo al final del día ${amountText(datos.escenarios[1].saldos[j])}` +
      spendText(datos.escenarios[1].minimosFuturos[j]),
    "quita Nomina: poner 1.500'00",
    `sin-alquiler: saldo al final del día ${amountText(datos.escenarios[2].saldos[j])}` +
      spendText(datos.escenarios[2].minimosFuturos[j])]);
  await scenarios.locator(".lineas input").nth(1).check();
});

await check("the CSV of the days has a balance column per scenario, empty beyond its walk", async () => {
  const page = await open(sixPage);
  const [text, datos] = await Promise.all([csvOf(page, "csv-dias"), datosOf(page)]);
  const rows = text.slice(1).split("\r\n").slice(0, -1).map((r) => r.split(";"));
  assert.deepEqual(rows[0].slice(5), datos.escenarios.map((e) => "Saldo " + e.nombre));
  assert.equal(rows.length - 1, 365);
  assert.equal(rows[365][0], "31/12/2027");
  assert.deepEqual(rows[365].slice(1, 5), ["", "", "", ""]);
  const s = datos.escenarios[5];
  assert.equal(rows[59][10], s.saldos[58].toFixed(2).replace(".", ","));
  assert.equal(rows[60][10], "");
  await page.close();
});

await check("with the clock inside the period, the chart marks today and the figures count from it", async () => {
  const page = await openOn(examplePage, "2027-03-10");
  const datos = await datosOf(page);
  const i = datos.dias.indexOf("2027-03-10");
  assert.ok((await page.evaluate(() => window.textsDrawn)).includes("hoy"));
  assert.equal(await page.evaluate(() => window.balvixToday()), "2027-03-10");
  assert.ok(datos.minimosFuturos[i] > datos.minimosFuturos[0]);
  const lowest = datos.dias.findIndex((d, k) => k >= i && datos.saldos[k] === datos.minimosFuturos[i]);
  assert.equal(await page.locator(".cifras .gastar dd").innerText(),
    `${amountText(datos.minimosFuturos[i])}\nel saldo más bajo que queda, el ` +
    datos.dias[lowest].split("-").reverse().join("/"));
  await page.close();
  const before = await openOn(tightPage, "2026-06-01");
  assert.ok(!(await before.evaluate(() => window.textsDrawn)).includes("hoy"));
  assert.match(await before.locator(".cifras .gastar dd").innerText(),
    /^nada\ndesde el 01\/01\/2027; el saldo baja de cero el 01\/01\/2027$/);
  await before.close();
});

await check("today is the browser's own day at the walk's first and last day, in any time zone, and after the walk no figure is given", async () => {
  // [page, time zone, the instant, what "se puede gastar hoy" of each line says]
  const rows = [
    [tightPage, "America/Mexico_City", "2027-01-02T05:30:00Z", // 23:30 of 01/01
      ["nada\nel saldo baja de cero el 01/01/2027"]],
    [tightPage, "Pacific/Auckland", "2027-12-30T11:30:00Z", // 00:30 of 31/12
      ["2.014'12\nel saldo más bajo que queda, el 31/12/2027"]],
    [twoMonthsPage, "UTC", "2027-03-10T10:00:00Z", ["sin proyectar\nhoy es posterior al último " +
      "día proyectado, el 28/02/2027; para llegar a hoy, proyecte con int o hasta una fecha a " +
      "partir de hoy"]],
    [examplePage, "UTC", "2028-01-15T10:00:00Z", Array(3).fill("sin proyectar\nhoy es " +
      "posterior al último día del periodo de config.txt, el 31/12/2027; para llegar a hoy, " +
      "amplíe el periodo en config.txt")],
  ];
  for (const [file, zone, instant, expected] of rows) {
    const page = await browser.newPage({ timezoneId: zone });
    await page.clock.setFixedTime(new Date(instant));
    await page.goto(url(file));
    await page.waitForFunction(() => window.balvixDrawMs !== undefined);
    assert.deepEqual(await page.locator("[data-hoy=gastar]").allInnerTexts(), expected, zone);
    await page.close();
  }
});

await check("a cushion typed draws its line, gives its figures and is kept in the address", async () => {
  const page = await openOn(examplePage, "2027-12-01");
  const datos = await datosOf(page);
  await page.fill("#colchon", "4000");
  const address = () => page.evaluate(() => location.href);
  assert.ok((await address()).endsWith("#colchon=4000"), await address());
  assert.ok((await page.evaluate(() => window.textsDrawn)).includes("colchón 4.000'00"));
  const first = datos.dias[datos.saldos.findIndex((v) => v < 4000)];
  const i = datos.dias.indexOf("2027-12-01");
  // The plan's two cushion figures: in the comparison table, as the page has scenarios.
  const expect = async (expected) => {
    const cells = page.locator('[data-linea="0"][data-colchon]');
    assert.deepEqual(await cells.evaluateAll((c) => c.map((e) => e.getAttribute("data-colchon"))),
      ["primero", "gastar"]);
    assert.ok(await cells.last().isVisible());
    (await cells.allInnerTexts()).forEach((t, k) => assert.ok(t.startsWith(expected[k]), t));
  };
  const expected = [first.split("-").reverse().join("/"),
    amountText(datos.minimosFuturos[i] - 4000) + "\nel saldo más bajo que queda"];
  await expect(expected);
  await page.reload();
  await page.waitForFunction(() => window.balvixDrawMs !== undefined);
  assert.equal(await page.inputValue("#colchon"), "4000");
  await expect(expected);
  // A decimal comma: 500'50, above which the balance always stays.
  await page.fill("#colchon", "500,50");
  assert.ok((await page.evaluate(() => window.textsDrawn)).includes("colchón 500'50"));
  await expect(["nunca", amountText(datos.minimosFuturos[i] - 500.5) + "\n"]);
  // Above every balance: the axis widens to show it.
  await page.fill("#colchon", "30000");
  assert.ok((await page.evaluate(() => window.textsDrawn)).includes("colchón 30.000'00"));
  await page.fill("#colchon", "");
  assert.ok(!(await address()).includes("#"), await address());
  assert.equal(await page.locator('[data-linea="0"][data-colchon]').first().isVisible(), false);
  assert.deepEqual(page.errors, []);
  await page.close();
});

await check("at 390 px the page of six scenarios is no wider than the window", async () => {
  const page = await open(sixPage, 390, 800);
  assert.equal(await page.locator(".lineas input").count(), 7);
  assert.ok(await page.evaluate(() => document.documentElement.scrollWidth) <= 390);
  assert.deepEqual(page.errors, []);
  await page.close();
});

// The engine in the page is balvix-grafico's own: on the inputs a page
// carries it gives that page's data, byte for byte as the file holds it, and
// on faulty files the lines of Errores.txt. The page loads nothing else.
// A build without a compiler for the engine makes pages without it, which
// work as before and say so; the checks of the engine are then left out, and
// the first check above fails where the build made the engine.
withEngine || await check("a page built without its engine says so (engine checks skipped)", async () => {
  assert.match(await example.locator("footer").innerText(), /sin el motor de cálculo/);
  await assert.rejects(example.evaluate(() => balvixEngine.ready));
});

await engineCheck("the page's engine walks its inputs to its own data, and faults to the log's lines", async () => {
  for (const file of [examplePage, amountPage, twoMonthsPage, scenariosPage, sixPage]) {
    await givesItsOwnPage(file);
  }
  const log = new TextDecoder("windows-1252").decode(
    await readFile(new URL("../e2e/faults-in-both-files.txt", import.meta.url)));
  const faulty = await example.evaluate(() => balvixEngine.run({
    config: "\r\n01/01/2013|31/02/2013|-5|entrada.txt\r\n\x1a\r\n \x1ax",
    entrada: "; gastos\r\nNomina|1,5|poner|mensualidad|29|0\r\nSeguro|450|quitar|Periodo|1a\xf1o|" +
      "03/01/2013\r\n\x1aLuz|60|quitar|mensualidad|5|0\r\n",
    escenarios: [{ nombre: "x", texto: "-Luz|1|quitar|mensualidad|5|0\r\n\u2013Luz" }],
    argumento: "int",
  }));
  assert.deepEqual(faulty.errores, log.split("\r\n").slice(0, -1).concat([
    "escenarios/x.txt Línea 1 [quitar] es erroneo, no queda en entrada.txt un movimiento igual ...",
    "escenarios/x.txt Línea 2 [quitar] es erroneo, el - debe ser el primer caracter de la línea ...",
  ]));
  assert.equal(faulty.mensaje, "Errores en ficheros de programa ...");
});

// A scenario given to the call is walked as the movements file it describes:
// the plan less its taken lines, plus its added ones. Its faults are those a
// file holding it would log, and a name is data, never markup.
// On a page of weeks, today's figures are worked out again to the day by the
// engine: the lowest balance from today on, and its day, not its week's.
await engineCheck("on a page of weeks, today's figures are exact to the day", async () => {
  const page = await openOn(weeksPage, "1999-06-10");
  const cell = page.locator('[data-hoy=gastar][data-linea="0"]');
  await page.waitForFunction(() => /el saldo más bajo que queda, el \d\d\/\d\d\/1999/
    .test(document.querySelector('[data-hoy=gastar][data-linea="0"]').textContent));
  const lows = await page.evaluate(() => {
    const sources = JSON.parse(document.getElementById("entradas").textContent);
    const alone = balvixEngine.run({ ...sources, hoy: "10/06/1999", solo: "bajos" });
    if (alone.datos !== null) throw new Error("data made for the lows alone");
    return alone.bajos[0]
      .filter(([day]) => day >= "1999-06-10");
  });
  const [day, lowest] = lows[lows.length - 1];
  assert.equal(lows[0][0], "1999-06-10");
  const text = await cell.textContent();
  assert.ok(text.startsWith(lowest.toFixed(2).replace(".", "'").replace(/\B(?=(\d{3})+')/g, ".")), text);
  assert.ok(text.endsWith(day.split("-").reverse().join("/")), text);
  await page.close();
});

// What balvix-grafico makes of the example's files with the scenario files
// `files` ({name: bytes}) and, with `config` or `entrada`, that config.txt
// or entrada.txt: its page's data (null when it makes none) and the lines
// of Errores.txt; with `keep`, the page's path too (the caller removes it).
async function graficoWith(files, config, entrada, keep) {
  const dir = await mkdtemp(path.join(os.tmpdir(), "balvix-escrito-"));
  try {
    const program = path.join(dir, "balvix-grafico");
    await copyFile(process.env.GRAFICO, program);
    for (const name of ["config.txt", "entrada.txt"]) {
      await copyFile(path.join(process.env.EXAMPLES, name), path.join(dir, name));
    }
    if (config) await writeFile(path.join(dir, "config.txt"), config);
    if (entrada) await writeFile(path.join(dir, "entrada.txt"), entrada);
    await mkdir(path.join(dir, "escenarios"));
    for (const [name, bytes] of Object.entries(files)) {
      await writeFile(path.join(dir, "escenarios", name), bytes);
    }
    const env = { ...process.env, DISPLAY: "", WAYLAND_DISPLAY: "" };
    await new Promise((done) => execFile(program, [], { cwd: "/", env }, () => done()));
    const read = (name) => readFile(path.join(dir, name)).catch(() => null);
    const page = await read("balance2027.html");
    const log = await read("Errores.txt");
    return {
      datos: page && JSON.parse(page.toString("utf8").match(/id="datos">([\s\S]*?)<\/script>/)[1]),
      errores: log ? new TextDecoder("windows-1252").decode(log).split("\r\n").slice(0, -1) : [],
      page: path.join(dir, "balance2027.html"),
    };
  } finally {
    if (!keep) await rm(dir, { recursive: true });
  }
}

// Scenarios typed in the page: each key walks them again, and the chart,
// the comparison, the readout, the tables and the CSV file follow. A faulty
// line shows the log's lines and keeps its scenario off the chart.
// "Guardar" gives the file that draws the same line, and a reload keeps it.
await engineCheck("a scenario typed in the page is drawn, compared and saved as the program would", async () => {
  const page = await openOn(examplePage, "2027-03-10");
  const coche = page.getByLabel(/^Escenario coche/);
  const faults = page.locator("#escribir .fallos li");
  const names = () => page.evaluate(() => (window.balvixData.escenarios || []).map((e) => e.nombre));
  const faulty = "Coche|250|quitar|mensualidad|5|0\r\nTaller|1,5|quitar|mensualidad|40|0\r\n";
  await coche.fill(faulty.replaceAll("\r", ""));
  await page.waitForFunction(() => document.querySelectorAll("#escribir .fallos li").length > 0);
  // A key asks the page's engine once, faults and figures of room and all.
  await page.evaluate(() => {
    const run = balvixEngine.run;
    window.engineCalls = 0;
    balvixEngine.run = (inputs) => (window.engineCalls++, run(inputs));
  });
  await coche.press("End");
  await page.keyboard.type(";");
  await page.waitForFunction(() => window.engineCalls > 0);
  assert.equal(await page.evaluate(() => window.engineCalls), 1);
  const logged = await graficoWith({ "coche.txt": Buffer.from(faulty, "latin1") });
  assert.ok(logged.errores.length >= 2, logged.errores.join("\n"));
  assert.deepEqual(await faults.allInnerTexts(), logged.errores);
  assert.deepEqual(await names(), [], "a scenario with faults is not drawn");
  const drawnLine = (name) => page.evaluate((name) => {
    const u = window.balvixPlot;
    const i = u.series.findIndex((series) => series.label === name);
    return i < 0 ? null : u.data[i];
  }, name);
  assert.equal(await drawnLine("coche"), null);

  // Mended, with a taken line and a character of Windows-1252's own.
  const typed = "Coche €|250|quitar|mensualidad|5|0\n-Nomina|1850.50|poner|mensualidad|1|0\n";
  await coche.fill(typed);
  await page.waitForFunction(() => (window.balvixData.escenarios || []).length === 1);
  assert.equal(await faults.count(), 0);
  const download = page.waitForEvent("download");
  await page.locator("#escribir .escenario-escrito").first()
    .getByRole("button", { name: "Guardar" }).click();
  const saved = await readFile(await (await download).path());
  assert.deepEqual(saved, Buffer.concat([Buffer.from("Coche "), Buffer.from([0x80]),
    Buffer.from("|250|quitar|mensualidad|5|0\r\n-Nomina|1850.50|poner|mensualidad|1|0\r\n")]));
  const program = await graficoWith({ "coche.txt": saved });
  const drawn = await page.evaluate(() => window.balvixData);
  assert.deepEqual(drawn.escenarios, program.datos.escenarios, "the saved file draws the same line");
  assert.deepEqual(await drawnLine("coche"), program.datos.escenarios[0].saldos);
  const column = await page.locator("#y-si tbody tr").first().innerText();
  assert.ok(column.includes(program.datos.escenarios[0].cifras.cierre.toFixed(2).replace(".", "'")
    .replace(/\B(?=(\d{3})+')/g, ".")), column);
  const csv = await csvOf(page, "csv-dias");
  assert.match(csv.split("\r\n")[0], /;Saldo coche$/);
  await page.context().grantPermissions(["clipboard-read", "clipboard-write"]);
  await page.getByRole("button", { name: "Copiar para entrada.txt" }).first().click();
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()),
    "Coche €|250|quitar|mensualidad|5|0");
  // A take-away line with a dash of an editor is a fault: nothing is copied.
  await coche.fill("Taller|90|quitar|mensualidad|9|0\n –Nomina|1850.50|poner|mensualidad|1|0");
  await page.waitForFunction(() => document.querySelectorAll("#escribir .fallos li").length > 0);
  await page.getByRole("button", { name: "Copiar para entrada.txt" }).first().click();
  const told = (k) => page.locator(".escenario-escrito").nth(k).locator(".acciones .nota");
  assert.match(await told(0).innerText(), /tiene fallos/);
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()),
    "Coche €|250|quitar|mensualidad|5|0");
  await coche.fill(typed);

  // A new scenario, its tables, and a seventh refused.
  await page.getByRole("button", { name: "Nuevo escenario" }).click();
  const lines = page.getByLabel("Líneas del escenario");
  // Characters beyond Windows-1252 read as in a UTF-8 file: a mark before
  // the - is skipped, a minus sign is a fault, any other is named; "Guardar"
  // refuses them.
  const nomina = "-Nomina|1850.50|poner|mensualidad|1|0";
  await lines.fill("\u200b" + nomina);
  await page.waitForFunction(() => (window.balvixData.escenarios || []).length === 2);
  const takenAway = await graficoWith({ "nuevo.txt": Buffer.from(nomina) });
  assert.deepEqual(await drawnLine("nuevo"), takenAway.datos.escenarios[0].saldos);
  await page.locator(".escenario-escrito").nth(1).getByRole("button", { name: "Guardar" }).click();
  assert.match(await told(1).innerText(), /U\+200B\) no cabe/);
  for (const [text, fault] of [["\u2212" + nomina.slice(1), /\[quitar\] es erroneo, el - debe/],
    ["Premio ☃|500|poner|concreta|15/03/2027|0", /\[comentario\] es erroneo, carácter que no cabe en el fichero: «☃»/]]) {
    await lines.fill(text);
    await page.waitForFunction(() => (window.balvixData.escenarios || []).length === 1);
    assert.match(await faults.last().innerText(), fault);
  }
  await lines.fill("Premio|500|poner|concreta|15/03/2027|0");
  await page.waitForFunction(() => (window.balvixData.escenarios || []).length === 2);
  assert.deepEqual(await names(), ["coche", "nuevo"]);
  await page.selectOption("#tablas-de", "2");
  await page.waitForFunction(() => /escenario nuevo/.test(document.getElementById("tablas").innerText));
  for (let i = 0; i < 5; i++) await page.getByRole("button", { name: "Nuevo escenario" }).click();
  assert.equal(await page.locator(".escenario-escrito").count(), 6);
  assert.match(await page.locator("#escribir .aviso").innerText(), /seis escenarios/);
  // A clash is judged again when its rival is renamed; a device's name is refused.
  const nameField = (k) => page.getByLabel("Nombre del escenario").nth(k);
  await lines.nth(1).fill("Premio|1|poner|concreta|15/03/2027|0");
  await nameField(1).fill("nuevo");
  assert.match(await page.locator(".fallo-nombre").nth(1).innerText(), /Ya hay/);
  await nameField(0).fill("Con");
  assert.match(await page.locator(".fallo-nombre").first().innerText(), /dispositivo/);
  assert.deepEqual((await names()).filter((name) => /^(nuevo|con)$/i.test(name)), ["nuevo"]);
  await nameField(0).fill("nuevo");

  // Hostile text is text; a paste too long is refused; axe finds nothing.
  const hostile = "</script><img src=x onerror=window.pwned=1>";
  await page.getByLabel("Nombre del escenario").nth(1).fill(hostile);
  // A paste: the whole text at once.
  const paste = (k, text) => page.getByLabel("Líneas del escenario").nth(k).evaluate((box, text) => {
    box.value = text;
    box.dispatchEvent(new Event("input"));
  }, text);
  await paste(1, hostile + "\n" + "x\n".repeat(10000));
  // 1.000 lines and a line end are 1.000 lines; a paste past 100.000
  // characters is refused before the box takes it.
  await paste(4, ";\n".repeat(1000));
  await lines.nth(3).evaluate((box) => {
    const data = new DataTransfer();
    data.setData("text/plain", "y".repeat(10 * 1024 * 1024));
    box.dispatchEvent(new ClipboardEvent("paste", { clipboardData: data, cancelable: true }));
  });
  assert.match(await told(4).innerText(), /No se pega/);
  assert.deepEqual(await lines.nth(3).evaluate((box) => [box.value, box.maxLength]), ["", 100000]);
  await page.getByLabel("Líneas del escenario").nth(2).fill(hostile);
  await page.waitForFunction(() => document.querySelectorAll("#escribir .fallos li").length >= 2);
  assert.equal(await faults.filter({ hasText: "pasa de 1.000" }).count(), 1);
  assert.equal(await page.locator(".fallo-nombre").nth(1).innerText(),
    "El nombre no puede llevar / \\ : * ? \" < > | ni caracteres de control.");
  assert.deepEqual(await page.evaluate(() => [window.pwned, document.querySelectorAll("img").length]),
    [undefined, 0]);
  for (const width of [1280, 390]) {
    await page.setViewportSize({ width, height: 900 });
    assert.deepEqual(await axeViolations(page), [], `${width} px`);
    assert.ok(await page.evaluate(() => document.documentElement.scrollWidth) <= width);
  }

  await page.reload();
  await page.waitForFunction(() => (window.balvixData.escenarios || []).some((e) => e.nombre === "nuevo"));
  assert.equal(await page.getByLabel(/^Escenario coche/).inputValue(), typed);
  // The file's own text back: the page's own line of it.
  await page.getByRole("button", { name: "Volver al texto del fichero" }).click();
  assert.match(await page.getByLabel(/^Escenario coche/).inputValue(), /^; ¿Y si compro el coche/);
  assert.deepEqual(await page.evaluate(() => window.balvixData.escenarios[0]),
    (await datosOf(page)).escenarios[0]);

  // What the browser keeps is the editor's, or nothing; a file changed since
  // its text was typed here is drawn, and both texts are offered.
  const key = await page.evaluate(() => "balvix-escenarios:" + location.pathname);
  const store = (value) => page.evaluate(([key, value]) => localStorage.setItem(key, value),
    [key, value]);
  await store("[null]");
  await page.reload();
  await page.waitForFunction(() => window.balvixDrawMs !== undefined);
  assert.equal(await page.evaluate((key) => localStorage.getItem(key), key), null);
  assert.equal(await page.locator(".escenario-escrito").count(), 1);
  const older = "Taller|90|quitar|mensualidad|9|0";
  await store(JSON.stringify([{ nombre: "coche", texto: older, fichero: true, desde: "otro" }]));
  await page.reload();
  await page.waitForFunction(() => window.balvixDrawMs !== undefined);
  assert.match(await page.locator(".cambiado").innerText(), /El fichero ha cambiado desde que se escribió aquí/);
  assert.match(await page.getByLabel(/^Escenario coche/).inputValue(), /^; ¿Y si compro el coche/);
  assert.deepEqual(await page.evaluate(() => window.balvixData.escenarios[0]),
    (await datosOf(page)).escenarios[0]);
  await page.getByRole("button", { name: "Recuperar lo escrito aquí" }).click();
  assert.equal(await page.getByLabel(/^Escenario coche/).inputValue(), older);
  assert.deepEqual(page.errors, []);
  await page.close();
});

// While a scenario or a field is typed in, the chart is in view: beside them
// on a wide screen; on a narrow one a button brings it, and another takes
// the caret back where it was.
await engineCheck("the chart is in view while a scenario is typed, beside it or a button away", async () => {
  const page = await open(examplePage, 1280, 800);
  const box = page.getByLabel(/^Escenario coche/);
  const chartInView = () => page.locator("canvas").evaluate((c) => {
    const r = c.getBoundingClientRect();
    return r.top >= 0 && r.bottom <= innerHeight && r.left >= 0 && r.right <= innerWidth;
  });
  for (const field of [box, page.locator("#colchon")]) {
    await field.focus();
    assert.ok(await chartInView(), await field.evaluate((f) => f.id));
  }
  await page.setViewportSize({ width: 390, height: 800 });
  // A key typed at the new width draws the chart at that width.
  const drawn = await page.evaluate(() => window.balvixDrawnAt);
  await box.press("End");
  await box.press("Enter");
  await box.press(";");
  await page.waitForFunction((drawn) => window.balvixDrawnAt > drawn, drawn);
  assert.ok(await page.evaluate(() =>
    window.balvixPlot.width <= document.getElementById("grafico-lienzo").clientWidth));
  await box.focus();
  await box.evaluate((b) => b.setSelectionRange(5, 5));
  assert.equal(await chartInView(), false);
  await page.getByRole("button", { name: "Ver el gráfico" }).click();
  assert.ok(await chartInView());
  await page.keyboard.press("Enter");
  assert.deepEqual(await box.evaluate((b) => [b === document.activeElement, b.selectionStart]),
    [true, 5]);
  await page.close();
});

// In a browser on Windows, a typed scenario's faults name its file as
// Errores.txt does there.
await engineCheck("in a browser on Windows, a typed scenario's faults name its file with \\", async () => {
  const page = await browser.newPage({ userAgent: "Mozilla/5.0 (Windows NT 10.0; Win64; x64)" });
  await page.goto(url(examplePage));
  await page.getByLabel(/^Escenario coche/).fill("Taller|1,5|quitar|mensualidad|40|0");
  await page.waitForFunction(() => document.querySelectorAll("#escribir .fallos li").length > 0);
  assert.match(await page.locator("#escribir .fallos li").first().innerText(),
    /^escenarios\\coche\.txt Línea 1 \[/);
  await page.close();
});

// Today's balance as the bank tells it: the plan and its scenario are
// walked again from today with it, as config.txt would walk them from
// today, the plan's line is kept, and the field says how far it is from it.
await engineCheck("today's balance walks the plan again from today, as a config.txt from today would", async () => {
  const page = await openOn(examplePage, "2027-03-10");
  await page.fill("#colchon", "4000");
  await page.getByLabel("Saldo de hoy (según el banco)").fill("-120,5");
  await page.waitForFunction(() => (window.balvixData.escenarios || []).length === 2);
  const fromToday = await graficoWith({ "coche.txt": await readFile(path.join(process.env.EXAMPLES,
    "escenarios", "coche.txt")) }, "10/03/2027|31/12/2027|0|balance2027.txt\r\n");
  const drawn = await page.evaluate(() => window.balvixData);
  const plan = await datosOf(page);
  assert.deepEqual(drawn.saldos, plan.saldos, "the plan's line stays");
  const shifted = (values) => values.map((v) => Math.round((v - 120.5) * 100) / 100);
  assert.deepEqual(drawn.escenarios.map((e) => [e.nombre, e.dias[0], e.saldos]),
    [["real (banco)", "2027-03-10", shifted(fromToday.datos.saldos)],
      ["coche", "2027-03-10", shifted(fromToday.datos.escenarios[0].saldos)]]);
  const today = plan.dias.indexOf("2027-03-10");
  const over = shifted(fromToday.datos.saldos)[0] - plan.saldos[today];
  assert.equal((await page.locator(".campo-saldo .nota").innerText()).trim(),
    (over > 0 ? "+" : "") + amountText(Math.abs(over)) + (over > 0 ? " sobre" : " bajo") +
    " el plan hoy");
  assert.equal(await page.evaluate(() => location.hash), "#colchon=4000&saldo=-120%2C5");
  assert.match(await page.locator("#y-si thead").innerText(), /real \(banco\)/);
  await page.close();

  const before = await openOn(examplePage + "#saldo=900", "2026-12-01");
  await before.waitForFunction(() => /dentro de lo proyectado/.test(
    document.querySelector(".campo-saldo .nota").textContent));
  assert.deepEqual(await before.evaluate(() => window.balvixData.escenarios.map((e) => e.nombre)),
    ["coche"]);
  await before.close();

  // An amount run that ended before today: the plan has no balance today.
  const ended = await openOn(sixPage + "#saldo=100", "2027-12-30");
  await ended.waitForFunction(() => /el plan no tiene saldo hoy: termina el 28\/12\/2027/.test(
    document.querySelector(".campo-saldo .nota").textContent));
  await ended.close();

  // Balances of 1e308 in full and sums beyond any number in words, the
  // readout and both CSV files alive, and the address kept.
  const huge = await graficoWith({}, null, "A|1e308|poner|concreta|05/01/2027|0\r\n" +
    "D|1e308|quitar|concreta|06/01/2027|0\r\nE|1e308|poner|concreta|07/01/2027|0\r\n" +
    "C|5|quitar|mensualidad|3|0\r\n", true);
  const big = await openOn(huge.page + "#colchon=500", "2027-01-04");
  assert.equal(await big.locator('a[href="#"]').count(), 0);
  const p = await pointOf(big, "2027-01-08");
  await big.mouse.move(p.x, p.y);
  assert.match(await big.locator("#lectura").innerText(), / día 100(\.000){4}\.001(\.000){97}'00; se podría gastar ese día 100(\.000){4}/);
  const csvs = [await csvOf(big, "csv-dias"), await csvOf(big, "csv-meses")];
  assert.match(csvs[1], /;no cabe en un número;/);
  assert.equal(await big.evaluate(() => location.hash), "#colchon=500");
  assert.doesNotMatch(await big.locator("main").innerText() + csvs.join(""), /\binf\b|nan|Infinity|NaN/);
  assert.match(await big.locator("dl.cifras").innerText(), /no cabe en un número/);
  assert.deepEqual(big.errors, []);
  await big.close();
  await rm(path.dirname(huge.page), { recursive: true });
});

// Every `action` amount of a file's lines times (100 + P) / 100, to the cent, a half up.
const scaledLines = (text, percent, action = "quitar") =>
  text.replace(new RegExp(`^(-?[^|;\\r\\n]*)\\|([\\d.]+)\\|${action}\\|`, "gm"), (all, name, amount) => {
    const cents = Math.round(Math.round(+amount * 100) * (100 + percent) / 100);
    return `${name}|${(cents / 100).toFixed(2)}|${action}|`;
  });

// The line "gastos/ingresos" is the plan walked from today with its amounts
// scaled, as the program walks the scaled files from today; a value out of
// its range is refused beside its field and changes nothing.
await engineCheck("the line of expenses and income scaled is the program's walk of the scaled files", async () => {
  const page = await openOn(examplePage + "#gastos=10&ingresos=-5", "2027-03-10");
  await page.waitForFunction(() => (window.balvixData.escenarios || []).length === 2);
  const plan = await datosOf(page);
  const line = await page.evaluate(() => window.balvixData.escenarios[1]);
  assert.equal(line.nombre, "gastos +10 %, ingresos -5 %");
  const entrada = (await readFile(path.join(process.env.EXAMPLES, "entrada.txt"))).toString("latin1");
  const today = plan.dias.indexOf("2027-03-10");
  const run = await graficoWith({}, `10/03/2027|31/12/2027|${plan.saldos[today - 1].toFixed(2)}|` +
    "balance2027.txt\r\n", Buffer.from(scaledLines(scaledLines(entrada, 10), -5, "poner"), "latin1"));
  assert.deepEqual([line.dias[0], line.saldos], ["2027-03-10", run.datos.saldos]);
  assert.match(await page.locator("#y-si thead").innerText(), /gastos \+10 %, ingresos -5 %/);
  await page.fill("#ingresos", "101");
  assert.match(await page.locator(".campo-escala").innerText(), /de -100 a 100: no se tiene en cuenta/);
  assert.equal(await page.evaluate(() => location.hash), "#gastos=10&ingresos=-5");
  assert.equal(await page.evaluate(() => window.balvixData.escenarios[1].nombre), line.nombre);
  await page.fill("#gastos", "");
  await page.waitForFunction(() => window.balvixData.escenarios[1].nombre === "ingresos -5 %");
  await page.close();
});

// The figures of room of the plan and of a scenario, each against the
// program itself: run from today with the line's balance, its files with
// every "quitar" scaled by P never go below the cushion, and by P + 1 they
// do; with X set aside each month from today they do not, and with X + 1
// they do. The readout says what could be spent on the day under the cursor.
await engineCheck("the figures of room hold, and one unit more breaks them, as the program walks them", async () => {
  // Below the width of two columns, the chart has a pixel or more a day.
  const page = await openOn(examplePage, "2027-03-10", 1080);
  await page.fill("#colchon", "500");
  await page.waitForFunction(() => /%/.test(document.querySelector("[data-holgura=gastos]").textContent));
  const cell = (kind, line) => page.locator(`#y-si [data-holgura=${kind}][data-linea="${line}"]`).innerText();
  const number = (text) => +text.match(/(-?[\d.]+) (%|€)/)[1].replace(/\./g, "");
  const plan = await datosOf(page);
  assert.equal(await page.locator(".cifras [data-holgura=gastos]").innerText(), await cell("gastos", 0));
  const today = plan.dias.indexOf("2027-03-10");
  const latin1 = (name) => readFile(path.join(process.env.EXAMPLES, name)).then((b) => b.toString("latin1"));
  const entrada = await latin1("entrada.txt");
  const car = await latin1(path.join("escenarios", "coche.txt"));
  const scaled = scaledLines;
  const config = `10/03/2027|31/12/2027|${plan.saldos[today - 1].toFixed(2)}|balance2027.txt\r\n`;
  const lowest = async (line, entradaText, carText) => {
    const run = await graficoWith({ "coche.txt": Buffer.from(carText, "latin1") }, config,
      Buffer.from(entradaText, "latin1"));
    const datos = run.datos;
    return Math.min(...(line === 0 ? datos.saldos : datos.escenarios[0].saldos));
  };
  for (const line of [0, 1]) {
    const percent = number(await cell("gastos", line));
    assert.ok(await lowest(line, scaled(entrada, percent), scaled(car, percent)) >= 500, `P ${line}`);
    assert.ok(await lowest(line, scaled(entrada, percent + 1), scaled(car, percent + 1)) < 500, `P+1 ${line}`);
    const euros = number(await cell("apartar", line));
    const setAside = (x) => entrada + `\r\nApartado|${x}|quitar|periodo|1mes|10/03/2027\r\n`;
    assert.ok(await lowest(line, setAside(euros), car) >= 500, `X ${line}`);
    assert.ok(await lowest(line, setAside(euros + 1), car) < 500, `X+1 ${line}`);
  }
  const p = await pointOf(page, "2027-06-01");
  await page.mouse.move(p.x, p.y);
  const i = plan.dias.indexOf("2027-06-01");
  assert.match(await page.locator("#lectura").innerText(),
    new RegExp(spendText(plan.minimosFuturos[i], 500) + "\n"));
  await page.close();
});

await engineCheck("a scenario given to the engine walks as the movements file it describes", async () => {
  const scenarios = await open(scenariosPage);
  const results = await scenarios.evaluate(async () => {
    await balvixEngine.ready;
    const sources = JSON.parse(document.getElementById("entradas").textContent);
    const plan = sources.entrada.split("\r\n").filter((line) => line !== "");
    const walk = (entrada, escenarios) => balvixEngine.run({ ...sources, entrada, escenarios });
    const balances = (text, described) => {
      const given = walk(sources.entrada, [{ nombre: "x", texto: text }]);
      const alone = walk(described.join("\r\n"), []);
      return [JSON.parse(given.datos).escenarios[0].saldos, JSON.parse(alone.datos).saldos];
    };
    const car = "Coche|250|quitar|mensualidad|10|0";
    const light = "Luz|75|quitar|mensualidad|1|0";
    const name = "</script><img src=x onerror=alert(1)>";
    const named = walk(sources.entrada, [{ nombre: name, texto: car }]).datos;
    return {
      added: balances(car, plan.concat([car])),
      taken: balances("-" + plan[1], plan.filter((line, i) => i !== 1)),
      changed: balances("-" + plan[2] + "\r\n" + light,
        plan.filter((line, i) => i !== 2).concat([light])),
      faults: walk(sources.entrada, [{ nombre: "x.txt", texto: "Coche|0|quitar|mensualidad|40|0" }]),
      named: [/[<>]/.test(named), JSON.parse(named).escenarios[0].nombre],
    };
  });
  for (const what of ["added", "taken", "changed"]) {
    assert.ok(results[what][0].length > 300, what);
    assert.deepEqual(results[what][0], results[what][1], what);
  }
  assert.deepEqual(results.faults.errores, [
    "escenarios/x.txt Línea 1 [dinero] es erroneo, siempre mayor de 0 ...",
    "escenarios/x.txt Línea 1 [cuando] es erroneo, debe ser [dd/mm/aaaa,cantidad{año,mes,semana,dia},díadelmes <= 28] ...",
  ]);
  assert.equal(results.faults.datos, null);
  assert.deepEqual(results.named, [false, "</script><img src=x onerror=alert(1)>"]);
  await scenarios.close();
});

if (screenshots) {
  await example.screenshot({ path: path.join(screenshots, "grafico.png"), fullPage: false });
  // The phone shows the chart of the tight year and the readout of a day.
  const phone = await open(tightPage, 390, 844);
  const p = await pointOf(phone, "2027-03-01");
  await phone.mouse.move(p.x, p.y);
  await phone.locator("h2").first().evaluate((h) => window.scrollTo(0, h.offsetTop - 8));
  await phone.screenshot({ path: path.join(screenshots, "grafico-movil.png"), fullPage: false });
  await tight.locator("h2").first().evaluate((h) => window.scrollTo(0, h.offsetTop - 8));
  await tight.screenshot({ path: path.join(screenshots, "grafico-ajustado.png"), fullPage: false });
  for (const [width, name] of [[1280, "grafico-escenario.png"], [390, "grafico-escenario-movil.png"]]) {
    const page = await openOn(examplePage, "2027-05-10", width);
    await page.evaluate(() => {
      const u = window.balvixPlot;
      const datos = JSON.parse(document.getElementById("datos").textContent);
      u.setCursor({ left: u.valToPos(u.data[0][datos.dias.indexOf("2027-06-01")], "x"), top: 40 });
    });
    await page.locator("h2").first().evaluate((h) => window.scrollTo(0, h.offsetTop - 8));
    await page.screenshot({ path: path.join(screenshots, name), fullPage: false });
    await page.close();
  }
  // A scenario typed in the page, with a fault beside its line.
  const typing = await openOn(examplePage, "2027-05-10");
  await typing.getByLabel(/^Escenario coche/).fill("Cuota del coche|250|quitar|mensualidad|15|0\n" +
    "Seguro del coche|400|quitar|anual|1|0\n");
  await typing.waitForFunction(() => document.querySelectorAll("#escribir .fallos li").length > 0);
  await typing.locator("#escribir").screenshot({ path: path.join(screenshots, "grafico-escrito.png") });
  await typing.close();
}

console.log(`checks of the page's engine: ${engineChecks} run` + (withEngine ? "" : " (no engine)"));
console.log("drawn in " + Math.round(await example.evaluate(() => window.balvixDrawMs)) + " ms");
await browser.close();
if (failures > 0) {
  console.log(failures + " failure(s)");
  process.exit(1);
}
