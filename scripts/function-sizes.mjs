// The functions of the page's scripts over LIMIT lines (default 60), one
// "file:line: name (N lines)" each, and exit code 1 when there is any. A
// function runs from the line that opens it to the line, at the same
// indentation, that closes it (the scripts are laid out so). A script's
// module (the function at indentation 0 around it) counts only its own
// set-up: its lines of code (not blank, not comments) outside the functions
// within it.
//
// usage: node scripts/function-sizes.mjs [--limit N] FILE...
import { readFileSync } from "node:fs";

const args = process.argv.slice(2);
let limit = 60;
if (args[0] === "--limit") {
  limit = Number(args[1]);
  args.splice(0, 2);
}
const opener = /^(\s*).*\bfunction\b[^{]*\{\s*$|^(\s*).*=>\s*\{\s*$/;
let over = 0;
for (const file of args) {
  const lines = readFileSync(file, "utf8").split("\n");
  const open = []; // {indent, start, name, inner}
  lines.forEach((line, i) => {
    const indent = line.length - line.trimStart().length;
    const top = open[open.length - 1];
    if (top && indent === top.indent && /^\s*\}/.test(line)) {
      open.pop();
      const size = i - top.start + 1 - (top.indent === 0 ? top.inner + top.notCode : 0);
      if (size > limit) {
        over++;
        console.log(`${file}:${top.start + 1}: ${top.name} (${size} lines)`);
      }
      const outer = open[open.length - 1];
      if (outer) {
        outer.inner += i - top.start + 1;
      }
      return;
    }
    const found = opener.exec(line);
    if (found) {
      const name = (/function\s+(\w+)/.exec(line) || /(\w+)\s*[:=]\s*(?:function|\()/.exec(line) ||
        [null, "(anonymous)"])[1];
      open.push({ indent, start: i, name: indent === 0 ? "module set-up" : name, inner: 0,
        notCode: 0 });
      return;
    }
    // Blank and comment lines of a module's own set-up.
    if (open.length === 1 && /^\s*(\/\/.*)?$/.test(line)) {
      open[0].notCode++;
    }
  });
}
process.exit(over > 0 ? 1 : 0);
