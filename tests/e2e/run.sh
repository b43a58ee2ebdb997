#!/usr/bin/env bash
# End-to-end tests of the real program: each case copies the executable into a
# directory of its own, writes the input files there, starts the program from
# another working directory and compares what it leaves behind byte for byte.
#
# usage: run.sh EXPECTED_DIR EXECUTABLE [RUNNER...]
# With a runner (Wine for the Windows program) message boxes cannot be read
# back, so only files, exit codes and the working directory are checked.
set -u
expected=$1
exe=$2
shift 2
runner=("$@")
native=1
[ ${#runner[@]} -gt 0 ] && native=0
unset DISPLAY WAYLAND_DISPLAY

failures=0
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT

fail() {
  echo "FAIL [$case]: $*"
  failures=$((failures + 1))
}

# Starts a case: a fresh program directory with the executable in it.
begin() {
  case=$1
  dir="$work/$case/prog"
  cwd="$work/$case/cwd"
  mkdir -p "$dir" "$cwd"
  cp "$exe" "$dir/"
  program="$dir/$(basename "$exe")"
}

# Runs the program with the given arguments; stdout goes to $out, the exit code to $rc.
run() {
  out="$work/$case/stdout"
  (cd "$cwd" && "${runner[@]}" "$program" "$@" >"$out" 2>"$work/$case/stderr")
  rc=$?
  [ "$rc" -eq 0 ] || fail "exit code $rc"
  [ -z "$(ls -A "$cwd")" ] || fail "files created in the working directory: $(ls -A "$cwd")"
}

# The program's standard output (native only) equals the file, or the text given.
said() {
  [ "$native" -eq 1 ] || return 0
  if [ -f "$expected/$1" ]; then
    cmp -s "$out" "$expected/$1" || fail "output differs from $1: $(head -c 300 "$out")"
  else
    [ "$(cat "$out")" = "$1" ] || fail "output '$(cat "$out")' instead of '$1'"
  fi
}

same_file() {
  [ -f "$dir/$1" ] || { fail "$1 missing"; return; }
  cmp -s "$dir/$1" "$expected/$2" || fail "$1 differs from $2: $(od -c "$dir/$1" | head -5)"
}

absent() {
  [ ! -e "$dir/$1" ] || fail "$1 should not exist"
}

# Only these entries are in the program directory (besides the executable).
only() {
  local have want
  have=$(cd "$dir" && ls -A | grep -v -x "$(basename "$exe")" | sort | tr '\n' ' ')
  want=$( [ $# -eq 0 ] || printf '%s\n' "$@" | sort | tr '\n' ' ')
  [ "$have" = "$want" ] || fail "program directory holds '$have', expected '$want'"
}

put() { printf "$2" >"$dir/$1"; }

good_inputs() {
  cp "$expected/example-config.txt" "$dir/config.txt"
  cp "$expected/example-entrada.txt" "$dir/entrada.txt"
}

report_line() { [ "$native" -eq 1 ] && printf '%s\n' "$dir/$1" || true; }

# --- the argument ---------------------------------------------------------

for args in "" "INT" "Int" "int x" "12/09/2013 x" "1.2.3" "1,5" "-5" "+5" \
  "31/04/2013" "29/02/2013" "29/02/1900" "00/05/2013" "05/13/2013" "05/05/0000" "12/9/2013"; do
  begin "usage-${args//[\/ ]/_}"
  good_inputs
  if [ -z "$args" ]; then run; else run $args; fi
  said usage.out
  only config.txt entrada.txt
done

begin usage-removes-read-only-log
put Errores.txt 'old\r\n'
chmod a-w "$dir/Errores.txt"
run INT
said usage.out
absent Errores.txt

begin missing-both
run int
said missing.out
only

begin missing-entrada
put config.txt '01/01/2013|03/01/2013|1000|informe.txt'
run 45000
said missing.out
only config.txt

begin missing-config
put entrada.txt 'x|1|poner|mensualidad|1|0'
run 12/09/2013
said missing.out
only entrada.txt

# --- faulty input files ----------------------------------------------------

begin faults-in-both-files
put entrada.txt '; gastos\r\nNomina|1,5|poner|mensualidad|29|0\r\nSeguro|450|quitar|Periodo|1a\361o|03/01/2013\r\n'
put config.txt '\r\n01/01/2013|31/02/2013|-5|entrada.txt\r\n'
put Errores.txt 'left by an earlier start\r\n'
run int
said "$(printf 'Errores en ficheros de programa ...\n%s' "$(report_line Errores.txt)")"
same_file Errores.txt faults-in-both-files.txt
only config.txt entrada.txt Errores.txt

begin start-not-before-end
put entrada.txt 'x|1|poner|mensualidad|1|0'
put config.txt '03/01/2013|03/01/2013|1000|informe.txt'
run int
said 'Errores en ficheros de programa ...'
only config.txt entrada.txt

# --- runs -----------------------------------------------------------------

begin interval-run
good_inputs
run int
said "$(report_line informe.txt)"
same_file informe.txt example-report.txt
only config.txt entrada.txt informe.txt

# The same files saved with line feeds alone give the same report.
begin interval-run-line-feeds
tr -d '\r' <"$expected/example-config.txt" >"$dir/config.txt"
tr -d '\r' <"$expected/example-entrada.txt" >"$dir/entrada.txt"
run int
said "$(report_line informe.txt)"
same_file informe.txt example-report.txt
only config.txt entrada.txt informe.txt

begin interval-run-replaces-read-only-report
good_inputs
put informe.txt 'an old report\r\nwith two lines\r\n'
chmod a-w "$dir/informe.txt"
run int
same_file informe.txt example-report.txt

# A folder name outside Western European letters, and a path far beyond the
# classic 260 characters of Windows.
for folder in "Перспектива 日本 €" "$(printf 'una-carpeta-de-nombre-largo-para-pasar-del-limite-clasico-%02d/' {1..5})"; do
  folder=${folder%/}
  begin "folder-${#folder}"
  dir="$work/$case/$folder"
  mkdir -p "$dir"
  cp "$exe" "$dir/"
  program="$dir/$(basename "$exe")"
  good_inputs
  run int
  said "$(report_line informe.txt)"
  same_file informe.txt example-report.txt
  only config.txt entrada.txt informe.txt
done

begin date-run
good_inputs
run 02/01/2013
said "$(report_line informe.txt)"
same_file informe.txt example-report-to-02.txt

begin date-outside-period
good_inputs
run 03/01/2013
said 'La fecha NO esta dentro del intervalo ...'
only config.txt entrada.txt

begin amount-run
good_inputs
run 2500
same_file informe.txt example-report-to-02.txt

begin amount-never-reached
good_inputs
run 1234567890123456789012345
same_file informe.txt example-report.txt

if [ "$failures" -gt 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all end-to-end cases passed"
