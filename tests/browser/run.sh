#!/usr/bin/env bash
# The chart of the example year in a real browser: balvix-grafico writes the
# page next to itself, and headless Chromium must draw its chart and show the
# key figures. Without Chromium the test is skipped (exit code 77).
#
# usage: run.sh EXAMPLES_DIR GRAFICO
set -u
examples=$1
grafico=$2
command -v "${CHROMIUM:-chromium}" >/dev/null || { echo "chromium is not installed: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$grafico" "$examples/config.txt" "$examples/entrada.txt" "$work/"
(cd / && env -u DISPLAY -u WAYLAND_DISPLAY "$work/$(basename "$grafico")" >/dev/null) || exit 1
report=$(cut -d'|' -f4 "$examples/config.txt" | tr -d '\r\n')
exec bash "$(dirname "$0")/check-page.sh" "$work/${report%.*}.html" \
  "Saldo final" "12.110'55" "Saldo más bajo" "3.075'15, el 30/01/2027" \
  "Primer día por debajo de cero" "nunca" "25.907'00" "16.296'45" "diciembre 2027"
