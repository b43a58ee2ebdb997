// The page's engine in headless Chromium: RUNS calls of balvixEngine.run on
// the inputs PAGE carries, each timed alone, and their median and 95th
// percentile in milliseconds, after one call not counted (the first call
// grows the module's memory).
//
// usage: node bench/engine-call.mjs PAGE [RUNS]
import path from "node:path";
import { launch, summary } from "./browser-timing.mjs";

const [page, runs = "50"] = process.argv.slice(2);
const browser = await launch();
const tab = await browser.newPage();
await tab.goto("file://" + path.resolve(page), { timeout: 0 });
const times = await tab.evaluate(async (runs) => {
  await balvixEngine.ready;
  const sources = JSON.parse(document.getElementById("entradas").textContent);
  balvixEngine.run(sources);
  const times = [];
  for (let i = 0; i < runs; i++) {
    const start = performance.now();
    balvixEngine.run(sources);
    times.push(performance.now() - start);
  }
  return times;
}, Number(runs));
await browser.close();
console.log(summary(page, "calls", times));
