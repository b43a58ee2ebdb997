#!/usr/bin/env bash
# The Windows programs are GUI-subsystem executables that need no DLL beyond
# those every Windows has.
#
# usage: check-pe.sh PROGRAM.exe...
set -u
status=0
for exe in "$@"; do
  name=$(basename "$exe")
  dump=$(x86_64-w64-mingw32-objdump -p "$exe") || exit 1
  grep -q 'Subsystem.*(Windows GUI)' <<<"$dump" || { echo "$name is not a Windows GUI executable"; status=1; }
  while read -r dll; do
    case "${dll^^}" in
      KERNEL32.DLL | USER32.DLL | SHELL32.DLL | MSVCRT.DLL | ADVAPI32.DLL | COMCTL32.DLL) ;;
      *) echo "$name imports $dll, which Windows does not bring"; status=1 ;;
    esac
  done < <(sed -n 's/^\s*DLL Name: //p' <<<"$dump")
done
exit $status
