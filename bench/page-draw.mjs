// The draw time of a chart page in headless Chromium: for each of RUNS loads
// of PAGE in one browser, the milliseconds from the page's start to its chart
// drawn, and those of the page's own script (from its first line to the chart
// drawn). Uses the browser tests' playwright-core (npm ci in tests/browser).
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
  await tab.goto("file://" + path.resolve(page));
  await tab.waitForFunction(() => window.balvixDibujadoEn !== undefined);
  rows.push(await tab.evaluate(() => [window.balvixDibujadoEn, window.balvixDibujoMs]));
}
await browser.close();
const ms = (v) => Math.round(v) + " ms";
console.log("from the page's start: " + rows.map((r) => ms(r[0])).join(", "));
console.log("of which the script:   " + rows.map((r) => ms(r[1])).join(", "));
