// What the browser benchmarks share: headless Chromium with the browser
// tests' playwright-core (npm ci in tests/browser), and the line that gives
// a set of times' median and 95th percentile.
import path from "node:path";
import { createRequire } from "node:module";

const require = createRequire(new URL("../tests/browser/package.json", import.meta.url));
const { chromium } = require("playwright-core");

export function launch() {
  return chromium.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-gpu"],
  });
}

// "PAGE: N WHAT, median M ms, 95th percentile P ms".
export function summary(page, what, times) {
  const sorted = [...times].sort((a, b) => a - b);
  const at = (q) => sorted[Math.min(sorted.length - 1, Math.floor(q * sorted.length))].toFixed(1);
  return `${path.basename(page)}: ${sorted.length} ${what}, median ${at(0.5)} ms, ` +
    `95th percentile ${at(0.95)} ms`;
}
