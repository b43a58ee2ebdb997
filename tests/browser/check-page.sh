#!/usr/bin/env bash
# Loads a chart page of balvix-grafico in headless Chromium and checks that
# its scripts ran (the chart's <canvas> is in the page) and that every TEXT
# given (key figures, say) is in the page the browser built.
#
# usage: check-page.sh PAGE [TEXT...]
#
# The browser is Debian's chromium (CHROMIUM names another), started with a
# fresh profile that is removed afterwards, and without anything that would
# reach the network. The page is given up after BALVIX_PAGE_SECONDS seconds
# (default 60).
#
# To look at a page instead, take a screenshot of it:
#   chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
#     --window-size=1200,1400 --screenshot=page.png file:///full/path/page.html
set -uo pipefail

if [ $# -lt 1 ]; then
  echo "usage: $0 PAGE [TEXT...]" >&2
  exit 2
fi
page=$1
shift
if [ ! -f "$page" ]; then
  echo "check-page: no page $page" >&2
  exit 1
fi
browser=${CHROMIUM:-chromium}
if ! command -v "$browser" >/dev/null; then
  echo "check-page: $browser is not installed (apt-get install chromium)" >&2
  exit 1
fi
page=$(cd "$(dirname "$page")" && pwd)/$(basename "$page")

profile=$(mktemp -d)
dom=$(mktemp)
trap 'rm -rf "$profile" "$dom"' EXIT

start=$(date +%s%N)
timeout "${BALVIX_PAGE_SECONDS:-60}" "$browser" --headless --no-sandbox --disable-gpu \
  --disable-quic --no-first-run --disable-background-networking --disable-component-update \
  --disable-sync --user-data-dir="$profile" --dump-dom "file://$page" >"$dom" 2>/dev/null
status=$?
elapsed=$((($(date +%s%N) - start) / 1000000))
if [ $status -ne 0 ]; then
  echo "check-page: $browser ended with status $status on $page" >&2
  exit 1
fi

failed=0
if ! grep -q '<canvas' "$dom"; then
  echo "check-page: no <canvas> in the page: the chart was not drawn" >&2
  failed=1
fi
for text in "$@"; do
  if ! grep -qF -- "$text" "$dom"; then
    echo "check-page: \"$text\" is not in the page" >&2
    failed=1
  fi
done
if [ $failed -ne 0 ]; then
  exit 1
fi
echo "check-page: $page drawn in $elapsed ms, $# texts found"
