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
# $as holds a command that runs it as another user (empty: as ourselves).
as=()
run() {
  out="$work/$case/stdout"
  (cd "$cwd" && "${as[@]}" "${runner[@]}" "$program" "$@" >"$out" 2>"$work/$case/stderr")
  rc=$?
  [ "$rc" -eq 0 ] || fail "exit code $rc"
  [ -z "$(ls -A "$cwd")" ] || fail "files created in the working directory: $(ls -A "$cwd")"
}

# The program's standard output (native only) equals the file, or the text
# given; every line of it ends.
said() {
  [ "$native" -eq 1 ] || return 0
  [ ! -s "$out" ] || [ "$(tail -c 1 "$out" | od -An -tx1)" = " 0a" ] ||
    fail "the output's last line has no end"
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
put entrada.txt '; gastos\r\nNomina|1,5|poner|mensualidad|29|0\r\nSeguro|450|quitar|Periodo|1a\361o|03/01/2013\r\n\032Luz|60|quitar|mensualidad|5|0\r\n'
put config.txt '\r\n01/01/2013|31/02/2013|-5|entrada.txt\r\n\032\r\n \032x'
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

# Saved as UTF-8 with a byte-order mark, as some editors do: the same report.
begin interval-run-byte-order-marks
for input in config.txt entrada.txt; do
  { printf "\357\273\277" && cat "$expected/example-$input"; } >"$dir/$input"
done
run int
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

# Report names at the systems' limit for a name: 255 characters are written
# whole; a longer one is a faulty field, not a cut name without its .txt.
long_name() { printf "%0$(($1 - 4))d.txt" 0 | tr 0 n; }
for length in 255 256; do
  begin "report-name-$length"
  good_inputs
  name=$(long_name "$length")
  put config.txt "01/01/2013|03/01/2013|1000|$name\r\n"
  run int
  if [ "$length" -eq 255 ]; then
    same_file "$name" example-report.txt
    only config.txt entrada.txt "$name"
  else
    said 'Errores en ficheros de programa ...'"$( [ "$native" -eq 1 ] && printf '\n%s' "$dir/Errores.txt")"
    [ "$(cat "$dir/Errores.txt")" = "$(printf 'config.txt L\355nea 1 [nombre fichero] es erroneo, debe ser [{letras y/\363 n\372meros}.txt] ...\r')" ] ||
      fail "log: $(od -c "$dir/Errores.txt" | head -3)"
    only config.txt entrada.txt Errores.txt
  fi
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

# A graphical session whose opener cannot start, or reports failure: the
# report's path is still told, as the last line.
if [ "$native" -eq 1 ]; then
  for opener in none failing; do
    begin "opener-$opener"
    good_inputs
    mkdir "$work/$case/bin"
    if [ "$opener" = failing ]; then
      printf '#!/bin/sh\nexit 4\n' >"$work/$case/bin/xdg-open"
      chmod +x "$work/$case/bin/xdg-open"
    fi
    as=(env DISPLAY=:0 PATH="$work/$case/bin")
    run int
    as=()
    said "$dir/informe.txt"
  done
fi

# --- what is in the folder besides plain files ------------------------------

# A pipe or a directory in place of an input file is a file that cannot be
# read, named in the log: the start answers at once instead of waiting for a
# writer.
for kind in pipe directory; do
  for input in entrada.txt config.txt; do
    begin "$kind-as-$input"
    good_inputs
    rm "$dir/$input"
    if [ "$kind" = pipe ]; then mkfifo "$dir/$input"; else mkdir "$dir/$input"; fi
    (cd "$cwd" && timeout 20 "${runner[@]}" "$program" int >"$work/$case/stdout" 2>/dev/null)
    rc=$?
    out="$work/$case/stdout"
    [ "$rc" -eq 0 ] || fail "exit code $rc (124: it waited on the pipe)"
    said "$(printf 'Errores en ficheros de programa ...\n%s' "$(report_line Errores.txt)")"
    # (Under Wine a pipe is no file at all: the start says the file is missing.)
    [ "$kind$native" = pipe0 ] ||
      [ "$(cat "$dir/Errores.txt")" = "$(printf '%s [fichero] es erroneo, no se puede leer ...\r' "$input")" ] ||
      fail "Errores.txt holds '$(cat "$dir/Errores.txt")'"
    [ -p "$dir/$input" ] || [ -d "$dir/$input" ] || fail "the $kind is gone"
  done
done

begin report-name-is-a-directory
good_inputs
mkdir "$dir/informe.txt"
run int
said 'No se pudo escribir el informe completo ...' # and no path: nothing is opened
[ -d "$dir/informe.txt" ] || fail "the directory is gone"

# An outside file that a link or a second name in the folder leads to.
outside() {
  printf 'not the program\x27s\r\n' >"$work/$case/outside.txt"
  chmod "$1" "$work/$case/outside.txt"
  stat -c '%a %s' "$work/$case/outside.txt" >"$work/$case/outside.before"
}
outside_unchanged() {
  [ "$(stat -c '%a %s' "$work/$case/outside.txt")" = "$(cat "$work/$case/outside.before")" ] &&
    [ "$(cat "$work/$case/outside.txt")" = "$(printf 'not the program\x27s\r\n')" ] ||
    fail "the outside file changed: $(stat -c '%a' "$work/$case/outside.txt") $(od -c "$work/$case/outside.txt" | head -3)"
}

# Links named like the log or the report are removed as links and the new
# files are written in the folder.
if [ "$native" -eq 1 ]; then
  begin links-in-the-folder
  good_inputs
  put entrada.txt 'Nomina|0|poner|mensualidad|2|0'
  outside 644
  ln -s "$work/$case/outside.txt" "$dir/Errores.txt"
  run int
  outside_unchanged
  [ -f "$dir/Errores.txt" ] && [ ! -L "$dir/Errores.txt" ] || fail "no log of its own"
  good_inputs
  ln -s "$work/$case/outside.txt" "$dir/informe.txt"
  run int
  outside_unchanged
  same_file informe.txt example-report.txt
  [ ! -L "$dir/informe.txt" ] || fail "the report is still a link"
fi

# A log or report name that is a second name of a read-only file elsewhere:
# the file keeps its mode and bytes, even on a start that only shows the usage
# text. The name is not removed, nothing is written to it and it is not
# opened: the start says the log or the report could not be written.
second_name() {
  outside 444
  ln "$work/$case/outside.txt" "$dir/$1"
}
begin hard-linked-log-usage
good_inputs
second_name Errores.txt
run xyz
said usage.out
outside_unchanged
[ "$dir/Errores.txt" -ef "$work/$case/outside.txt" ] || fail "the second name was removed"

begin hard-linked-log-refused
good_inputs
put entrada.txt 'Nomina|0|poner|mensualidad|2|0'
second_name Errores.txt
run int
said "$(printf 'Errores en ficheros de programa ...\nNo se pudo escribir Errores.txt ...')"
outside_unchanged

begin hard-linked-report
good_inputs
second_name informe.txt
run int
said 'No se pudo escribir el informe completo ...'
outside_unchanged
[ "$dir/informe.txt" -ef "$work/$case/outside.txt" ] || fail "the second name was removed"

# In a folder the user cannot write: a link named like the log or the report
# leads to a file the user could write, an old report is read-only. Nothing
# is written through a link, nothing changes its mode.
if [ "$native" -eq 1 ] && [ "$(id -u)" -eq 0 ]; then
  chmod 755 "$work"
  as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  for target in Errores.txt informe.txt; do
    begin "read-only-folder-link-as-$target"
    chmod 755 "$work/$case" "$cwd"
    chown nobody "$cwd"
    good_inputs
    [ "$target" = Errores.txt ] && put entrada.txt 'Nomina|0|poner|mensualidad|2|0'
    outside 644
    chown nobody "$work/$case/outside.txt"
    ln -s "$work/$case/outside.txt" "$dir/$target"
    run int
    outside_unchanged
    [ -L "$dir/$target" ] || fail "the link was removed from a read-only folder"
    if [ "$target" = informe.txt ]; then
      said 'No se pudo escribir el informe completo ...'
    else
      said "$(printf 'Errores en ficheros de programa ...\nNo se pudo escribir Errores.txt ...')"
    fi
  done

  # A log left by an earlier start that this user cannot remove: a refused
  # start says its faults could not be written, and leaves the log as it was.
  begin read-only-folder-old-log
  chmod 755 "$work/$case" "$cwd"
  chown nobody "$cwd"
  good_inputs
  put entrada.txt 'Nomina|0|poner|mensualidad|2|0'
  put Errores.txt 'entrada.txt L\355nea 7 [dinero] es erroneo, siempre mayor de 0 ...\r\n'
  cp "$dir/Errores.txt" "$work/$case/old-log"
  run int
  said "$(printf 'Errores en ficheros de programa ...\nNo se pudo escribir Errores.txt ...')"
  cmp -s "$dir/Errores.txt" "$work/$case/old-log" || fail "the old log changed"

  begin read-only-folder-old-report
  chmod 755 "$work/$case" "$cwd"
  chown nobody "$cwd"
  good_inputs
  put informe.txt 'an old report\r\n'
  chown nobody "$dir/informe.txt"
  chmod 444 "$dir/informe.txt"
  run int
  said 'No se pudo escribir el informe completo ...' # the old report is not opened
  [ "$(stat -c %a "$dir/informe.txt")" = 444 ] || fail "mode $(stat -c %a "$dir/informe.txt") instead of 444"
  [ "$(cat "$dir/informe.txt")" = "$(printf 'an old report\r\n')" ] || fail "the old report changed"

  # A folder its user may enter and write but not list: Linux locks no such
  # folder, so the start is refused and writes nothing.
  begin folder-not-listable
  chmod 755 "$work/$case" "$cwd"
  chown nobody "$cwd"
  good_inputs
  put Errores.txt 'old\r\n'
  chown -R nobody "$dir"
  chmod 300 "$dir"
  before=$(cksum "$dir"/*)
  run int
  said 'No se pudo reservar la carpeta del programa para esta ejecución ...'
  [ "$(cksum "$dir"/*)" = "$before" ] || fail "files changed: $(ls "$dir")"
  as=()
elif [ "$native" -eq 1 ]; then
  echo "skipped the read-only folder cases: they need root to run as nobody"
fi

# Out of memory: a movements file larger than the memory the program may take
# (not under AddressSanitizer, which needs far more address space to start).
# The start says so, ends with exit code 0 and leaves the files as they were.
if [ "$native" -eq 1 ] && ! grep -q -a -m 1 __asan_init "$exe"; then
  begin out-of-memory
  good_inputs
  yes 'Diario|1.5|poner|periodo|1dia|01/01/2013' | head -c 64000000 >"$dir/entrada.txt"
  before=$(cksum <"$dir/entrada.txt")
  as=(bash -c 'ulimit -v 48000 && exec "$@"' limited)
  run int
  as=()
  said 'No hay memoria suficiente para terminar ...'
  [ "$(cksum <"$dir/entrada.txt")" = "$before" ] || fail "entrada.txt changed"
  only config.txt entrada.txt
fi

# Long inputs: four centuries with six daily movements, 1.9 million report
# lines: a run long enough (about a tenth of a second) that a start can be
# held while it writes.
long_inputs() {
  put config.txt '01/01/1700|31/12/2099|0|informe.txt\r\n'
  put entrada.txt ''
  for n in 1 2 3; do
    printf 'Diario%s|1.5|poner|periodo|1dia|01/01/1700\r\nOtro%s|0.5|quitar|periodo|1dia|01/01/1700\r\n' \
      "$n" "$n" >>"$dir/entrada.txt"
  done
}
begin long-reference
long_inputs
run int
reference="$dir/informe.txt"

# A standard output whose reader has gone ends no start: the lost path line
# is a failed write, and the exit code is 0. (A file size limit: below.)
if [ "$native" -eq 1 ]; then
  begin closed-pipe
  good_inputs
  (cd "$cwd" && { sleep 0.3; "$program" int; echo $? >"$work/$case/rc"; } | true)
  [ "$(cat "$work/$case/rc")" = 0 ] || fail "exit code $(cat "$work/$case/rc")"
  same_file informe.txt example-report.txt
fi

# Two starts at once in one folder run one after the other: one whole report,
# the same as a single run's.
begin two-starts-at-once
long_inputs
(cd "$cwd" && "${runner[@]}" "$program" int >/dev/null 2>&1) &
first=$!
(cd "$cwd" && "${runner[@]}" "$program" int >/dev/null 2>&1) &
second=$!
wait "$first" "$second"
cmp -s "$dir/informe.txt" "$reference" || fail "the report is not that of a single run"

# An editor saves config.txt by rename while a start runs: the folder stays
# locked, a second start waits for the first, and the report is one run's.
many_inputs() {
  put config.txt '01/01/1700|31/12/2099|0|informe.txt\r\n'
  for n in 1 2 3 4 5 6; do
    printf 'Diario%s|1.5|poner|periodo|1dia|01/01/1700\r\n' "$n" >>"$dir/entrada.txt"
  done
}
begin many-reference
many_inputs
run int
many_reference="$dir/informe.txt"
settle=0.3
[ "$native" -eq 1 ] || settle=2 # a start under Wine takes a while to begin
# Waits until the start under way has written the first block of its report.
wait_for_report() {
  for _ in $(seq 1 4000); do
    [ -s "$dir/informe.txt" ] && break
    sleep 0.005
  done
}

begin config-saved-by-rename-during-a-run
many_inputs
(cd "$cwd" && exec "${runner[@]}" "$program" int >/dev/null 2>&1) &
first=$!
wait_for_report
# Held where it is, its report half written, while the second start comes.
kill -STOP "$first"
written=$(stat -c %s "$dir/informe.txt")
cp "$dir/config.txt" "$dir/config.new" && mv "$dir/config.new" "$dir/config.txt"
put Errores.txt 'left while the first start writes\r\n'
(cd "$cwd" && "${runner[@]}" "$program" int >/dev/null 2>&1) &
second=$!
sleep "$settle"
[ -f "$dir/Errores.txt" ] || fail "the second start did not wait for the folder"
kill -CONT "$first"
wait "$first" "$second"
[ "$written" -lt "$(stat -c %s "$many_reference")" ] || fail "the first run ended too soon; the case needs longer inputs"
cmp -s "$dir/informe.txt" "$many_reference" || fail "the report is not that of a single run"
only config.txt entrada.txt informe.txt

# While another start holds the folder, a start waits before it touches any
# file, and then runs as usual.
if [ "$native" -eq 1 ]; then
  begin start-waits-for-the-folder
  good_inputs
  put Errores.txt 'old\r\n'
  flock "$dir" -c "touch '$work/$case/held'; sleep 2" &
  holder=$!
  until [ -e "$work/$case/held" ]; do sleep 0.01; done
  (cd "$cwd" && "$program" int >/dev/null 2>&1) &
  pid=$!
  sleep 1
  kill -0 "$pid" 2>/dev/null || fail "the start did not wait for the folder"
  [ -f "$dir/Errores.txt" ] && [ ! -e "$dir/informe.txt" ] || fail "files touched while waiting"
  wait "$holder" "$pid"
  same_file informe.txt example-report.txt
  absent Errores.txt
fi

# The folder moved while a start waits for it, and a link to another folder
# put at its path: the start removes, reads and writes only in its own folder,
# wherever it now is, and leaves the other folder as it was.
if [ "$native" -eq 1 ]; then
  begin folder-swapped
  good_inputs
  put Errores.txt 'old\r\n'
  other="$work/$case/other"
  mkdir "$other"
  cp "$dir/config.txt" "$dir/entrada.txt" "$dir/Errores.txt" "$other/"
  printf 'not the program\x27s\r\n' >"$other/informe.txt"
  before=$(cd "$other" && cksum ./*)
  flock "$dir" -c "touch '$work/$case/held'; sleep 2" &
  holder=$!
  until [ -e "$work/$case/held" ]; do sleep 0.01; done
  out="$work/$case/stdout"
  (cd "$cwd" && "$program" int >"$out" 2>&1) &
  pid=$!
  sleep 0.5
  mv "$dir" "$work/$case/moved"
  ln -s "$other" "$dir"
  wait "$holder"
  wait "$pid" || fail "exit code $?"
  said "$work/$case/moved/informe.txt"
  [ "$(cd "$other" && cksum ./*)" = "$before" ] || fail "the other folder changed: $(ls "$other")"
  cmp -s "$work/$case/moved/informe.txt" "$expected/example-report.txt" || fail "no report in its own folder"
  [ ! -e "$work/$case/moved/Errores.txt" ] || fail "the old log of its own folder stays"
fi

# Without /proc the system cannot tell where the program is: started by a
# bare name found on PATH, it says so and touches nothing, neither next to
# itself nor in the working directory. (Not under AddressSanitizer, whose
# runtime needs /proc to start.)
if [ "$native" -eq 1 ] && unshare -m true 2>/dev/null && ! grep -q -a -m 1 __asan_init "$exe"; then
  begin no-proc
  good_inputs
  put Errores.txt 'old\r\n'
  cp "$dir/config.txt" "$dir/entrada.txt" "$dir/Errores.txt" "$cwd/"
  before=$(cksum "$dir"/* "$cwd"/*)
  out="$work/$case/stdout"
  (cd "$cwd" && PATH="$dir:$PATH" unshare -m bash -c \
    'mount -t tmpfs none /proc || exit 77; exec "$0" int' "$(basename "$exe")" >"$out" 2>/dev/null)
  rc=$?
  if [ "$rc" -eq 77 ]; then
    echo "skipped the case without /proc: tmpfs cannot be mounted over it here"
  else
    [ "$rc" -eq 0 ] || fail "exit code $rc"
    said 'No se encuentra la carpeta del programa ...'
    [ "$(cksum "$dir"/* "$cwd"/*)" = "$before" ] || fail "files changed: $(ls "$dir" "$cwd")"
  fi
fi

# A report replaced by a link, or by another file, while it is written sends
# nothing to what took its place: every line goes to the file the run opened.
# A busy machine may let the run end before it is stopped: then the case is
# tried again, up to three times.
if [ "$native" -eq 1 ]; then
  for replacement in link file; do
    for attempt in 1 2 3; do
      begin "report-swapped-for-a-$replacement-$attempt"
      long_inputs
      outside 644
      (cd "$cwd" && exec "$program" int >/dev/null 2>&1) &
      pid=$!
      wait_for_report
      kill -STOP "$pid"
      mv "$dir/informe.txt" "$work/$case/moved.txt"
      if [ "$replacement" = link ]; then
        ln -s "$work/$case/outside.txt" "$dir/informe.txt"
      else
        cp "$work/$case/outside.txt" "$dir/informe.txt"
      fi
      written=$(stat -c %s "$work/$case/moved.txt")
      kill -CONT "$pid"
      wait "$pid"
      [ "$written" -lt "$(stat -c %s "$reference")" ] && break
    done
    [ "$written" -lt "$(stat -c %s "$reference")" ] || fail "the run ended before the swap; the case needs longer inputs"
    outside_unchanged
    cmp -s "$dir/informe.txt" "$work/$case/outside.txt" || fail "the file put in its place changed"
    cmp -s "$work/$case/moved.txt" "$reference" || fail "the opened file did not get every line"
  done
fi

# A file size limit, and a full disk: the report is written up to there and
# told incomplete (and still opened, being this run's); the program is not
# ended by the limit's signal, and nothing else changes.
if [ "$native" -eq 1 ]; then
  begin file-size-limit
  long_inputs
  as=(bash -c 'ulimit -f 64 && exec "$@"' limited) # 64 KiB
  run int
  as=()
  said "$(printf 'No se pudo escribir el informe completo ...\n%s' "$dir/informe.txt")"
  [ "$(stat -c %s "$dir/informe.txt")" -eq 65536 ] || fail "$(stat -c %s "$dir/informe.txt") bytes written"
  cmp -s -n 65536 "$dir/informe.txt" "$reference" || fail "the bytes written are not the report's"
  only config.txt entrada.txt informe.txt

  begin full-disk
  long_inputs
  if unshare -rm true 2>/dev/null; then
    # A file system of its own, with room for the program, its inputs and a
    # little of the report.
    staged="$work/$case/staged"
    cp -a "$dir" "$staged"
    unshare -rm bash -c 'mount -t tmpfs -o size="$3" none "$1" && cp -a "$2"/. "$1"/ &&
      (cd "$4" && "$1/$5" int >"$6"); rc=$?; cp "$1/informe.txt" "$2/"; exit $rc' full "$dir" \
      "$staged" "$(($(stat -c %s "$exe") / 1024 + 256))k" "$cwd" "$(basename "$exe")" "$work/$case/stdout"
    rc=$?
    out="$work/$case/stdout"
    [ "$rc" -eq 0 ] || fail "exit code $rc"
    said "$(printf 'No se pudo escribir el informe completo ...\n%s' "$dir/informe.txt")"
    size=$(stat -c %s "$staged/informe.txt")
    [ "$size" -gt 0 ] && [ "$size" -lt "$(stat -c %s "$reference")" ] || fail "$size bytes written"
    cmp -s -n "$size" "$staged/informe.txt" "$reference" || fail "the bytes written are not the report's"
  else
    echo "skipped the full disk case: it needs a file system of its own (unshare -rm)"
  fi
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all end-to-end cases passed"
