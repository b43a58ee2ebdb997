#!/usr/bin/env bash
# The chart pages in a real browser: balvix-grafico writes next to itself the
# page of the example year, of a tight year (whole, until an amount it never
# reaches, and up to a day two months in), of the tight year with its three
# scenarios and with six (two of them ending the walk on their own day), and
# of six centuries in weeks, and of a plan with a scenario that changes
# nothing (SAME_AS_PLAN), and
# (GRAFICO and EXAMPLES, for the scenarios typed in a page: what the program
# makes of the same text in a file)
# page.test.mjs drives Debian's Chromium over them with playwright-core. Skipped (exit code 77)
# where Chromium, node or the node modules (npm ci in tests/browser, as
# scripts/setup-debian does) are missing; where BALVIX_BROWSER_REQUIRED is
# set (CI), that is a failure instead.
#
# usage: run.sh EXAMPLES_DIR GRAFICO [SCREENSHOT_DIR]
set -u
examples=$1
grafico=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
browser=${CHROMIUM:-/usr/bin/chromium}
# skip REASON: the test cannot run here; a failure where BALVIX_BROWSER_REQUIRED is set.
skip() {
  [ -z "${BALVIX_BROWSER_REQUIRED:-}" ] || { echo "$1: the browser test is required"; exit 1; }
  echo "$1: skipped"
  exit 77
}
[ -x "$browser" ] || skip "chromium is not installed"
command -v node >/dev/null || skip "node is not installed"
[ -d "$here/node_modules/playwright-core" ] ||
  skip "no tests/browser/node_modules (npm ci in tests/browser)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# page DIR INPUTS_DIR [ARGUMENT]: the page of the inputs, written in DIR
# (the example year with its scenario);
# with SCENARIOS set, that folder is the scenarios' one.
page() {
  mkdir -p "$1"
  cp "$grafico" "$2/config.txt" "$2/entrada.txt" "$1/"
  [ -z "${SCENARIOS:-}" ] || cp -r "$SCENARIOS" "$1/escenarios"
  (cd / && env -u DISPLAY -u WAYLAND_DISPLAY "$1/$(basename "$grafico")" ${3:+"$3"} >/dev/null) ||
    exit 1
  local report
  report=$(cut -d'|' -f4 "$2/config.txt" | tr -d '\r\n')
  echo "$1/${report%.*}.html"
}
example=$(SCENARIOS=$examples/escenarios page "$work/example" "$examples") || exit 1
tight=$(page "$work/tight" "$here/tight") || exit 1
amount=$(page "$work/amount" "$here/tight" 5000.005) || exit 1
twoMonths=$(page "$work/two-months" "$here/tight" 28/02/2027) || exit 1
weeks=$(page "$work/weeks" "$here/long") || exit 1
scenarios=$(SCENARIOS=$here/tight/escenarios page "$work/scenarios" "$here/tight") || exit 1
# Six: the three, and copies of them, run to an amount one of them never reaches.
mkdir -p "$work/six"
for f in "$here"/tight/escenarios/*.txt; do
  cp "$f" "$work/six/"
  cp "$f" "$work/six/otro-$(basename "$f")"
done
six=$(SCENARIOS=$work/six page "$work/six-amount" "$here/tight" 2000) || exit 1
# A scenario that changes nothing, over twelve years and over four cut short.
same=$(SCENARIOS=$here/igual/escenarios page "$work/same" "$here/igual") || exit 1
sameCut=$(SCENARIOS=$here/igual/escenarios page "$work/same-cut" "$here/igual" 15/10/2030) ||
  exit 1
CHROMIUM=$browser SAME_AS_PLAN="$same $sameCut" GRAFICO=$grafico EXAMPLES=$examples exec node "$here/page.test.mjs" "$example" "$tight" "$amount" "$twoMonths" \
  "$weeks" "$scenarios" "$six" "$@"
