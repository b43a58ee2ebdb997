// A key typed in a scenario's box of a page, in headless Chromium: RUNS keys,
// each timed from the key's input to the chart drawn again (the engine's walk
// of the plan and every scenario, the comparison and the tables put in, the
// chart made anew), and their median and 95th percentile in milliseconds,
// after one key not counted, and how many calls of the page's engine each
// key made. Each key adds a letter to a comment line, so that every walk is
// the same.
//
// usage: node bench/typed-key.mjs PAGE [RUNS]
import path from "node:path";
import { launch, summary } from "./browser-timing.mjs";

const [page, runs = "50"] = process.argv.slice(2);
const browser = await launch();
const tab = await browser.newPage({ viewport: { width: 1280, height: 900 } });
await tab.goto("file://" + path.resolve(page), { timeout: 0 });
await tab.waitForFunction(() => window.balvixDrawMs !== undefined, null, { timeout: 0 });
if ((await tab.locator("#escribir textarea").count()) === 0) {
  await tab.getByRole("button", { name: "Nuevo escenario" }).click();
}
const [times, calls] = await tab.evaluate(async (runs) => {
  await balvixEngine.ready;
  let called = 0;
  const run = balvixEngine.run;
  balvixEngine.run = (inputs) => (called++, run(inputs));
  const box = document.querySelector("#escribir textarea");
  box.value += "\n;";
  const key = () => new Promise((done) => {
    const start = performance.now();
    box.value += "x";
    box.dispatchEvent(new Event("input"));
    const drawn = () => (window.balvixDrawnAt > start ? done(window.balvixDrawnAt - start) :
      setTimeout(drawn, 0));
    drawn();
  });
  await key();
  called = 0;
  const times = [];
  for (let i = 0; i < runs; i++) {
    times.push(await key());
  }
  return [times, called / runs];
}, Number(runs));
await browser.close();
console.log(summary(page, "keys", times) + `, ${calls} engine call(s) a key`);
