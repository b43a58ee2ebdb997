// The draw time of a chart page in headless Chromium: for each of RUNS loads
// of PAGE in one browser, the milliseconds from the page's start to its chart
// drawn, and those of the page's own script (from its first line to the chart
// drawn); on a page with scenarios, also the milliseconds from choosing the
// first scenario's tables to their being shown (written by the page's script,
// laid out and painted). Uses the browser tests' playwright-core (npm ci in
// tests/browser).
//
// usage: node bench/page-draw.mjs PAGE [RUNS] [WIDTH]
import path from "node:path";
import { createRequire } from "node:module";

const require = createRequire(new URL("../tests/browser/package.json", import.meta.url));
const { chromium } = require("playwright-core");
const [page, runs = "5", width = "1280"] = process.argv.slice(2);
const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu"],
});
const tab = await browser.newPage({ viewport: { width: Number(width), height: 900 } });
const rows = [];
for (let i = 0; i < Number(runs); i++) {
  // A long page may take longer than playwright's 30 s to load.
  await tab.goto("file://" + path.resolve(page), { timeout: 0 });
  await tab.waitForFunction(() => window.balvixDrawnAt !== undefined, null, { timeout: 0 });
  rows.push(await tab.evaluate(async () => {
    const drawn = [window.balvixDrawnAt, window.balvixDrawMs];
    const choice = document.getElementById("tablas-de");
    if (!choice) {
      return drawn;
    }
    const start = performance.now();
    choice.value = "1";
    choice.dispatchEvent(new Event("change"));
    await new Promise((shown) => requestAnimationFrame(() => setTimeout(shown, 0)));
    return drawn.concat([performance.now() - start]);
  }));
}
await browser.close();
const ms = (v) => Math.round(v) + " ms";
console.log("from the page's start: " + rows.map((r) => ms(r[0])).join(", "));
console.log("of which the script:   " + rows.map((r) => ms(r[1])).join(", "));
if (rows[0].length > 2) {
  console.log("a scenario's tables:   " + rows.map((r) => ms(r[2])).join(", "));
}
