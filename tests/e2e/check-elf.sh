#!/usr/bin/env bash
# The Linux program needs no shared library beyond the C library: libc, libm
# and the loader. The C++ runtime (libstdc++, libgcc_s) is linked into it.
set -u
program=$1
dynamic=$(readelf -d "$program") || exit 1
status=0
while read -r library; do
  case "$library" in
    libc.so.* | libm.so.* | ld-linux*.so.*) ;;
    *) echo "needs $library, which is not the C library"; status=1 ;;
  esac
done < <(sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p' <<<"$dynamic")
exit $status
