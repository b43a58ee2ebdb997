#!/usr/bin/env bash
# The Linux programs need no shared library beyond the C library: libc, libm
# and the loader. The C++ runtime (libstdc++, libgcc_s) is linked into them.
#
# usage: check-elf.sh PROGRAM...
set -u
status=0
for program in "$@"; do
  dynamic=$(readelf -d "$program") || exit 1
  while read -r library; do
    case "$library" in
      libc.so.* | libm.so.* | ld-linux*.so.*) ;;
      *) echo "$(basename "$program") needs $library, which is not the C library"; status=1 ;;
    esac
  done < <(sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p' <<<"$dynamic")
done
exit $status
