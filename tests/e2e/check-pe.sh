#!/usr/bin/env bash
# The Windows program is a GUI-subsystem executable that needs no DLL beyond
# those every Windows has.
set -u
exe=$1
dump=$(x86_64-w64-mingw32-objdump -p "$exe") || exit 1
status=0
grep -q 'Subsystem.*(Windows GUI)' <<<"$dump" || { echo "not a Windows GUI executable"; status=1; }
while read -r dll; do
  case "${dll^^}" in
    KERNEL32.DLL | USER32.DLL | SHELL32.DLL | MSVCRT.DLL | ADVAPI32.DLL | COMCTL32.DLL) ;;
    *) echo "imports $dll, which Windows does not bring"; status=1 ;;
  esac
done < <(sed -n 's/^\s*DLL Name: //p' <<<"$dump")
exit $status
