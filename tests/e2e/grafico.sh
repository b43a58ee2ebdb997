#!/usr/bin/env bash
# End-to-end tests of the chart program next to the report program: each case
# copies the executables into a directory of their own with the input files,
# starts them from another working directory and compares what they leave.
#
# usage: grafico.sh EXAMPLES_DIR BALVIX GRAFICO [RUNNER...]
# EXAMPLES_DIR holds the example config.txt and entrada.txt. With a runner
# (Wine for the Windows programs) standard output cannot be read back, so only
# files and exit codes are checked.
set -u
examples=$1
balvix=$2
grafico=$3
shift 3
runner=("$@")
native=1
[ ${#runner[@]} -gt 0 ] && native=0
unset DISPLAY WAYLAND_DISPLAY

failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
report=$(cut -d'|' -f4 "$examples/config.txt" | tr -d '\r\n')
page=${report%.*}.html

fail() {
  echo "FAIL [$case]: $*"
  failures=$((failures + 1))
}

# A fresh program directory with both executables and the example files.
begin() {
  case=$1
  dir="$work/$case/prog"
  mkdir -p "$dir" "$work/$case/cwd"
  cp "$balvix" "$grafico" "$dir/"
  cp "$examples/config.txt" "$examples/entrada.txt" "$dir/"
}

run() { # run PROGRAM ARGS...: the program of the case directory
  local program=$dir/$(basename "$1")
  shift
  out="$work/$case/stdout"
  (cd "$work/$case/cwd" && "${runner[@]}" "$program" "$@" >"$out" 2>/dev/null)
  local rc=$?
  [ "$rc" -eq 0 ] || fail "exit code $rc"
  [ -z "$(ls -A "$work/$case/cwd")" ] || fail "files created in the working directory"
}

# The entries of the program directory besides the executables, sorted.
entries() { (cd "$dir" && ls -A | grep -v -x -e "$(basename "$balvix")" -e "$(basename "$grafico")" | LC_ALL=C sort | tr '\n' ' '); }
# Only these entries are in the program directory (besides the executables).
only() {
  local want
  want=$(printf '%s\n' "$@" | LC_ALL=C sort | tr '\n' ' ')
  [ "$(entries)" = "$want" ] || fail "program directory holds '$(entries)', expected '$want'"
}

# The page's data: "DATE AMOUNT" per walked day, the amount (of the list
# KEY, "saldos" by default) with two decimals.
page_days() {
  sed -n '/id="datos"/,/<\/script>/p' "$1" | tr -d '\n' |
    sed -e "s/.*\"dias\":\[\([^]]*\)\].*\"${2:-saldos}\":\[\([^]]*\)\].*/\1\n\2/" |
    awk 'NR == 1 { n = split($0, d, ",") } NR == 2 { m = split($0, s, ",")
      if (n != m) { print "mismatch " n " " m; exit }
      for (i = 1; i <= n; i++) { gsub(/"/, "", d[i]); printf "%s %.2f\n", d[i], s[i] } }'
}

# The page's stretches below zero, "FROM TO DAYS LOWEST LOWEST_DAY" each.
page_stretches() {
  sed -n '/id="datos"/,/<\/script>/p' "$1" | tr -d '\n' |
    sed -e 's/.*"tramosBajoCero":\[\([^]]*\)\].*/\1/' | tr '}' '\n' |
    sed -n 's/.*"desde":"\([^"]*\)","hasta":"\([^"]*\)","dias":\([0-9]*\),"minimo":\([-0-9.]*\),"diaMinimo":"\([^"]*\)".*/\1 \2 \3 \4 \5/p' |
    awk '{ printf "%s %s %s %.2f %s\n", $1, $2, $3, $4, $5 }'
}

# From "DATE BALANCE" lines: the future minimum of each day, the lowest
# balance from it to the end.
future_of() {
  tac "$1" | awk 'NR == 1 || $2 + 0 < low { low = $2 + 0 } { printf "%s %.2f\n", $1, low }' | tac
}

# From "DATE BALANCE" lines: the stretches of days below zero.
stretches_of() {
  awk 'function flush() { if (n) printf "%s %s %d %.2f %s\n", from, to, n, low, lowday; n = 0 }
    $2 + 0 < 0 { if (!n) { from = $1; low = $2 + 0; lowday = $1 } n++; to = $1
                 if ($2 + 0 < low) { low = $2 + 0; lowday = $1 } next }
    { flush() } END { flush() }' "$1"
}

# The page's months, "MONTH CLOSING LOWEST LOWEST_DAY PUT_IN TAKEN_OUT" each.
page_months() {
  sed -n '/id="datos"/,/<\/script>/p' "$1" | tr -d '\n' |
    sed -e 's/.*"meses":\[\([^]]*\)\].*/\1/' | tr '}' '\n' |
    sed -n 's/.*"mes":"\([^"]*\)","cierre":\([-0-9.]*\),"minimo":\([-0-9.]*\),"diaMinimo":"\([^"]*\)","puesto":\([0-9.]*\),"quitado":\([0-9.]*\).*/\1 \2 \3 \4 \5 \6/p' |
    awk '{ printf "%s %.2f %.2f %s %.2f %.2f\n", $1, $2, $3, $4, $5, $6 }'
}

# From "DATE BALANCE" lines and the report's "DATE ACTION AMOUNT" movements:
# each month's closing and first lowest balance, and its sums put in and
# taken out.
months_of() {
  awk 'function flush() { if (month != "") printf "%s %.2f %.2f %s %.2f %.2f\n", month, closing, low, lowday, put[month], taken[month] }
    NR == FNR { if ($2 == "poner") put[substr($1, 1, 7)] += $3; else taken[substr($1, 1, 7)] += $3; next }
    { m = substr($1, 1, 7); v = $2 + 0
      if (m != month) { flush(); month = m; low = v; lowday = $1 }
      else if (v < low) { low = v; lowday = $1 }
      closing = v }
    END { flush() }' "$work/report-movements" "$1"
}

# The page's future minimum, stretches below zero, month lowest and month sums
# are those the report's balances and movements give.
check_answers() {
  page_days "$1" minimosFuturos >"$work/page-future"
  future_of "$work/report-days" >"$work/report-future"
  cmp -s "$work/page-future" "$work/report-future" ||
    fail "future minimum: $(diff "$work/page-future" "$work/report-future" | head -5)"
  page_stretches "$1" >"$work/page-stretches"
  stretches_of "$work/report-days" >"$work/report-stretches"
  cmp -s "$work/page-stretches" "$work/report-stretches" ||
    fail "stretches below zero: $(diff "$work/page-stretches" "$work/report-stretches" | head -5)"
  [ "$(wc -l <"$work/page-stretches")" -ge "${2:-0}" ] || fail "fewer than $2 stretches below zero"
  page_months "$1" >"$work/page-months"
  months_of "$work/report-days" >"$work/report-months"
  cmp -s "$work/page-months" "$work/report-months" ||
    fail "months: $(diff "$work/page-months" "$work/report-months" | head -5)"
}

# The report's movements, "DATE ACTION AMOUNT" each, the amount as the report
# writes it, in a number.
report_movements() {
  tr -d '\r' <"$1" | LC_ALL=C awk '
    / = / { split($0, parts, " = "); n = split(parts[1], f, " "); v = f[n]
            gsub(/\./, "", v); sub(/'"'"'/, ".", v); printf "%s %s %.2f\n", day, f[n - 1], v; next }
    NF == 2 && !/^ACTIVACI/ && $2 ~ /^[0-9][0-9]\/[0-9][0-9]\/[0-9][0-9][0-9][0-9]$/ {
      split($2, p, "/"); day = p[3] "-" p[2] "-" p[1] }'
}

# The report's day-end balances in the same form: the last balance after a
# movement of the day, or the one carried from the day before.
report_days() {
  local opening
  opening=$(cut -d'|' -f3 "$(dirname "$1")/config.txt" | tr -d '\r\n')
  tr -d '\r' <"$1" | LC_ALL=C awk -v balance="$opening" '
    function flush() { if (day != "") printf "%s %.2f\n", day, balance }
    / = / { split($0, parts, " = "); split(parts[2], after, " "); v = after[1]
            gsub(/\./, "", v); sub(/'"'"'/, ".", v); balance = v + 0; next }
    NF == 2 && !/^ACTIVACI/ && $2 ~ /^[0-9][0-9]\/[0-9][0-9]\/[0-9][0-9][0-9][0-9]$/ {
      flush(); split($2, p, "/"); day = p[3] "-" p[2] "-" p[1]; next }
    END { flush() }'
}

begin whole-period
run "$balvix" int
run "$grafico"
[ -f "$dir/$page" ] || fail "no page $page"
only config.txt entrada.txt "$page" "$report"
page_days "$dir/$page" >"$work/page-days"
report_days "$dir/$report" >"$work/report-days"
report_movements "$dir/$report" >"$work/report-movements"
[ -s "$work/page-days" ] || fail "no data in the page"
cmp -s "$work/page-days" "$work/report-days" ||
  fail "page and report disagree: $(diff "$work/page-days" "$work/report-days" | head -5)"
first=$(head -n 1 "$work/page-days" | cut -d' ' -f1)
last=$(tail -n 1 "$work/page-days" | cut -d' ' -f1)
start=$(cut -d'|' -f1 "$examples/config.txt" | awk -F/ '{print $3 "-" $2 "-" $1}')
end=$(cut -d'|' -f2 "$examples/config.txt" | awk -F/ '{print $3 "-" $2 "-" $1}')
[ "$first $last" = "$start $end" ] || fail "the page walks $first to $last, not $start to $end"
check_answers "$dir/$page"
[ "$native" -eq 0 ] || [ "$(tail -n 1 "$out")" = "$dir/$page" ] ||
  fail "the page's path is not the last line of the output: $(tail -n 1 "$out")"
cp "$dir/$page" "$work/whole-period.html"

# A tight year, below zero in several stretches.
begin tight-year
tight=$(dirname "$0")/../browser/tight
cp "$tight/config.txt" "$tight/entrada.txt" "$dir/"
tight_report=$(cut -d'|' -f4 "$tight/config.txt" | tr -d '\r\n')
run "$balvix" int
run "$grafico"
page_days "$dir/${tight_report%.*}.html" >"$work/page-days"
report_days "$dir/$tight_report" >"$work/report-days"
report_movements "$dir/$tight_report" >"$work/report-movements"
cmp -s "$work/page-days" "$work/report-days" || fail "page and report disagree on the tight year"
check_answers "$dir/${tight_report%.*}.html" 5

# The scenario N of the page as data of the page's own form: its "dias" (the
# plan's unless it has its own), "saldos", "minimosFuturos" and
# "tramosBajoCero".
scenario_data() { # scenario_data N PAGE
  LC_ALL=C awk -v n="$1" '{ sub(/\r$/, "") }
    /^"escenarios":\[\{"nombre":/ || (k && /^\{"nombre":/) { k++ }
    !k && !plan && /^"dias":\[/ { plan = $0 }
    k == n && /^"(dias|saldos|minimosFuturos)":\[/ { own[substr($0, 2, index($0, "\":") - 2)] = $0 }
    k == n && /^"tramosBajoCero":\[/ { stretches = 1 }
    stretches { list = list $0; if ($0 ~ /\],?$/) stretches = 0 }
    END { print "<script type=\"application/json\" id=\"datos\">{" ("dias" in own ? own["dias"] : plan)
          print own["saldos"]; print own["minimosFuturos"]; print list; print "}</script>" }' "$2"
}

# The months of scenario N of the page, as page_months writes them, from its
# columns.
scenario_months() { # scenario_months N PAGE
  LC_ALL=C awk -v n="$1" '{ sub(/\r$/, "") }
    /^"escenarios":\[\{"nombre":/ || (k && /^\{"nombre":/) { k++ }
    k == n && /^"meses":\{"desde":/ { split(substr($0, 19, 7), start, "-") }
    k == n && /^"(diaMinimo|puesto|quitado|cierre|minimo)":\[/ {
      key = substr($0, 2, index($0, "\":") - 2); list = $0
      sub(/^[^[]*\[/, "", list); sub(/\].*/, "", list); count = split(list, items, ",")
      for (i = 1; i <= count; i++) column[key, i] = items[i] }
    END { for (i = 1; i <= count; i++) {
            m = start[2] + i - 2; month = sprintf("%04d-%02d", start[1] + int(m / 12), m % 12 + 1)
            printf "%s %.2f %.2f %s-%02d %.2f %.2f\n", month, column["cierre", i], column["minimo", i],
              month, column["diaMinimo", i], column["puesto", i], column["quitado", i] } }' "$2"
}

# The movements file a scenario describes: entrada.txt less the movements it
# takes away (each the first identical one left), then those it adds.
described() { # described ENTRADA SCENARIO
  LC_ALL=C awk '{ sub(/\r$/, "") }
    FNR == 1 { sub(/^\357\273\277/, "") }
    FNR == NR { plan[++n] = $0; movement[n] = $0 != "" && $0 !~ /^ *;/; next }
    $0 == "" || /^ *;/ { next }
    /^-/ { for (i = 1; i <= n; i++) if (movement[i] && !gone[i] && plan[i] == substr($0, 2)) break
           gone[i] = 1; next }
    { added[++a] = $0 }
    END { for (i = 1; i <= n; i++) if (!gone[i]) printf "%s\r\n", plan[i]
          for (i = 1; i <= a; i++) printf "%s\r\n", added[i] }' "$1" "$2"
}

# Each scenario of INPUTS/escenarios against the report of the movements file
# it describes: the same balances day by day, future minimum and stretches.
check_scenarios() { # check_scenarios INPUTS ARGUMENT
  local inputs=$1 argument=$2 name n=0 report_name page_name
  report_name=$(cut -d'|' -f4 "$inputs/config.txt" | tr -d '\r\n')
  page_name=${report_name%.*}.html
  begin "scenarios-$(basename "$inputs")-$argument"
  cp "$inputs/config.txt" "$inputs/entrada.txt" "$dir/"
  cp -R "$inputs/escenarios" "$dir/"
  run "$grafico" "$argument"
  [ -f "$dir/$page_name" ] || { fail "no page"; return; }
  local page_copy=$work/$case/page.html
  cp "$dir/$page_name" "$page_copy"
  for name in $(cd "$inputs/escenarios" && ls | LC_ALL=C sort); do
    n=$((n + 1))
    begin "scenario-$(basename "$inputs")-$argument-$name"
    cp "$inputs/config.txt" "$dir/"
    described "$inputs/entrada.txt" "$inputs/escenarios/$name" >"$dir/entrada.txt"
    run "$balvix" "$argument"
    report_days "$dir/$report_name" >"$work/report-days"
    scenario_data "$n" "$page_copy" >"$work/scenario.html"
    page_days "$work/scenario.html" >"$work/page-days"
    [ -s "$work/page-days" ] || fail "no balances of $name in the page"
    cmp -s "$work/page-days" "$work/report-days" ||
      fail "$name: $(diff "$work/page-days" "$work/report-days" | head -5)"
    page_days "$work/scenario.html" minimosFuturos >"$work/page-future"
    future_of "$work/report-days" >"$work/report-future"
    cmp -s "$work/page-future" "$work/report-future" || fail "$name: future minimum differs"
    page_stretches "$work/scenario.html" >"$work/page-stretches"
    stretches_of "$work/report-days" >"$work/report-stretches"
    cmp -s "$work/page-stretches" "$work/report-stretches" || fail "$name: stretches differ"
    report_movements "$dir/$report_name" >"$work/report-movements"
    scenario_months "$n" "$page_copy" >"$work/page-months"
    months_of "$work/report-days" >"$work/report-months"
    cmp -s "$work/page-months" "$work/report-months" ||
      fail "$name: months: $(diff "$work/page-months" "$work/report-months" | head -5)"
  done
  [ "$n" -gt 0 ] || fail "no scenario in $inputs/escenarios"
}

check_scenarios "$examples" int
check_scenarios "$examples" 9000
check_scenarios "$tight" int
check_scenarios "$tight" 400

# A scenario saved as UTF-8 with a byte-order mark, as some editors do, takes
# its movement away; hidden files and the copies other systems leave are not
# scenarios.
marked=$work/byte-order-mark
mkdir -p "$marked/escenarios"
cp "$examples/config.txt" "$examples/entrada.txt" "$marked/"
{ printf '\357\273\277-' && sed -n 2p "$examples/entrada.txt"; } >"$marked/escenarios/sin-nomina.txt"
printf 'x|0|poner|mensualidad|1|0\r\n' >"$marked/escenarios/._sin-nomina.txt"
cp "$marked/escenarios/._sin-nomina.txt" "$marked/escenarios/.oculto.txt"
check_scenarios "$marked" int

# An empty folder of scenarios leaves the page as it is.
begin empty-scenarios
mkdir "$dir/escenarios"
run "$grafico"
cmp -s "$dir/$page" "$work/whole-period.html" || fail "an empty escenarios folder changed the page"

begin same-as-int
run "$grafico" int
cmp -s "$dir/$page" "$work/whole-period.html" || fail "int and no argument give different pages"

begin date-run
run "$balvix" 15/03/2027
run "$grafico" 15/03/2027
page_days "$dir/$page" >"$work/page-days"
report_days "$dir/$report" >"$work/report-days"
cmp -s "$work/page-days" "$work/report-days" || fail "page and report disagree up to 15/03"
[ "$(tail -n 1 "$work/page-days" | cut -d' ' -f1)" = 2027-03-15 ] || fail "the page does not end on 15/03"

begin replaces-old-page
printf 'an old page' >"$dir/$page"
run "$grafico"
cmp -s "$dir/$page" "$work/whole-period.html" || fail "the old page was not replaced"

begin usage
run "$grafico" INT
only config.txt entrada.txt
[ "$native" -eq 0 ] || grep -q '^balvix-grafico \[d' "$out" || fail "no usage text: $(head -c 200 "$out")"

begin faulty-files
printf 'Nomina|1,5|poner|mensualidad|29|0\r\n' >"$dir/entrada.txt"
printf '01/01/2027|31/02/2027|2500|balance2027.txt\r\n' >"$dir/config.txt"
run "$balvix" int
mv "$dir/Errores.txt" "$work/balvix-errors"
run "$grafico"
cmp -s "$dir/Errores.txt" "$work/balvix-errors" || fail "Errores.txt differs from balvix's"
only config.txt entrada.txt Errores.txt

# A movements file that cannot be read is named, and the scenarios that take
# its movements away are not read against a plan that was not.
begin unreadable-plan
mkdir -p "$dir/escenarios"
{ printf -- '-' && sed -n 2p "$examples/entrada.txt"; } >"$dir/escenarios/sin-nomina.txt"
rm "$dir/entrada.txt" && mkdir "$dir/entrada.txt"
run "$grafico"
[ "$(cat "$dir/Errores.txt")" = "$(printf 'entrada.txt [fichero] es erroneo, no se puede leer ...\r')" ] ||
  fail "Errores.txt holds '$(cat "$dir/Errores.txt")'"

# A report name whose page name would pass the systems' limit of 255
# characters is refused as a faulty field before anything is written.
for length in 254 255; do
  begin "report-name-$length"
  name=$(printf "%0$((length - 4))d.txt" 0 | tr 0 n)
  printf '01/01/2027|31/12/2027|2500|%s\r\n' "$name" >"$dir/config.txt"
  run "$grafico"
  if [ "$length" -eq 254 ]; then
    [ -f "$dir/${name%.txt}.html" ] || fail "no page"
    only config.txt entrada.txt "${name%.txt}.html"
  else
    LC_ALL=C grep -q '^config.txt L.nea 1 \[nombre fichero\] es erroneo' "$dir/Errores.txt" ||
      fail "no fault of the report name in the log"
    only config.txt entrada.txt Errores.txt
    [ "$native" -eq 0 ] || [ "$(head -n 1 "$out")" = 'Errores en ficheros de programa ...' ] ||
      fail "said '$(cat "$out")'"
  fi
done

# The page's name, or Errores.txt, as a second name of a read-only file
# elsewhere: the file keeps its mode and bytes, even on a start that only
# shows the usage text, and it is neither written nor opened.
for name in "$page" Errores.txt; do
  for args in "" xyz; do
    begin "hard-linked-$name-${args:-whole}"
    printf 'IMPORTANT\r\n' >"$work/$case/imp.txt"
    chmod 444 "$work/$case/imp.txt"
    ln "$work/$case/imp.txt" "$dir/$name"
    run "$grafico" $args
    [ "$(stat -c %a "$work/$case/imp.txt")" = 444 ] || fail "the outside file's mode changed"
    [ "$(cat "$work/$case/imp.txt")" = "$(printf 'IMPORTANT\r\n')" ] || fail "the outside file changed"
    [ "$dir/$name" -ef "$work/$case/imp.txt" ] || fail "the second name was removed"
    if [ "$native" -eq 1 ] && [ "$name" = "$page" ] && [ -z "$args" ]; then
      [ "$(cat "$out")" = 'No se pudo escribir el informe completo ...' ] ||
        fail "said '$(cat "$out")'"
    fi
  done
done

if [ "$failures" -gt 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all chart end-to-end cases passed"
