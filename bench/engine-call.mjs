// The page's engine in headless Chromium: RUNS calls of balvixEngine.run on
// the inputs PAGE carries, each timed alone, and their median and 95th
// percentile in milliseconds, after one call not counted (the first call
// grows the module's memory). With SOLO ("escenarios" for what a key typed
// in a scenario's box asks, "holgura" for the figures of room), the call asks
// for that alone, with one typed scenario that changes nothing and today in
// the middle of the walk. Without SOLO each call reads an entrada.txt other
// than the last call's (a comment line put at its end in turn), so that the
// engine walks the plan anew, as on a page's first call; with SOLO, the
// calls are those of keys typed, on the plan the engine keeps.
//
// usage: node bench/engine-call.mjs PAGE [RUNS] [SOLO]
import path from "node:path";
import { launch, summary } from "./browser-timing.mjs";

const [page, runs = "50", solo = ""] = process.argv.slice(2);
const browser = await launch();
const tab = await browser.newPage();
await tab.goto("file://" + path.resolve(page), { timeout: 0 });
const times = await tab.evaluate(async ([runs, solo]) => {
  await balvixEngine.ready;
  const sources = JSON.parse(document.getElementById("entradas").textContent);
  if (solo) {
    const days = JSON.parse(document.getElementById("datos").textContent).dias;
    const [y, m, d] = days[Math.floor(days.length / 2)].split("-");
    Object.assign(sources, { solo, hoy: `${d}/${m}/${y}`, escenarios: [{ nombre: "nuevo", texto: ";x" }] });
  }
  const plan = sources.entrada;
  const asked = (i) => (solo ? sources : { ...sources, entrada: plan + (i % 2 ? "\r\n;" : "") });
  balvixEngine.run(asked(1));
  const times = [];
  for (let i = 0; i < runs; i++) {
    const request = asked(i);
    const start = performance.now();
    balvixEngine.run(request);
    times.push(performance.now() - start);
  }
  return times;
}, [Number(runs), solo]);
await browser.close();
console.log(summary(page, "calls", times));
