// The page's engine in headless Chromium: RUNS calls of balvixEngine.run on
// the inputs PAGE carries, each timed alone, and their median and 95th
// percentile in milliseconds, after one call not counted (the first call
// grows the module's memory). Uses the browser tests' playwright-core (npm ci
// in tests/browser).
//
// usage: node bench/engine-call.mjs PAGE [RUNS]
import path from "node:path";
import { createRequire } from "node:module";

const require = createRequire(new URL("../tests/browser/package.json", import.meta.url));
const { chromium } = require("playwright-core");
const [page, runs = "50"] = process.argv.slice(2);
const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu"],
});
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
times.sort((a, b) => a - b);
const at = (q) => times[Math.min(times.length - 1, Math.floor(q * times.length))].toFixed(1);
console.log(`${path.basename(page)}: ${times.length} calls, median ${at(0.5)} ms, ` +
  `95th percentile ${at(0.95)} ms`);
