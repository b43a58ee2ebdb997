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

for (const [kind, input, ...expected] of rules) {
  test(`${kind} ${input}`, () => {
    if (kind === "amount") {
      assert.equal(format.amount(Number(input)), expected[0]);
      assert.equal(format.csvNumber(Number(input)), expected[1].replace(".", ","));
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
