#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# What is shipped: kinshu.exe is a 32-bit GUI program that imports only the
# system's DLLs, carries no symbols and no time stamp, stays within its size,
# carries the build's manifest, and is built again, byte for byte, from a copy
# of the sources in another folder.
#   check.sh BUILD_DIR SOURCE_DIR OBJDUMP TOOLCHAIN_FILE [EXE]
# EXE is the build's kinshu.exe, or a copy of it (tools/dist checks the one
# it zips), or that with a signature attached: then its size leaves the
# signature out, and the build's kinshu.exe, to which it was attached, is the
# one built again.
set -uo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
objdump=$3
toolchain=$(basename "$4")
exe=$(realpath "${5:-$build/kinshu.exe}")
limit=49152
# shellcheck source=../support/check.sh
. "$(dirname "${BASH_SOURCE[0]}")/../support/check.sh"

headers=$("$objdump" -p "$exe")
# The certificate table's size (directory entry 4), 0 for an unsigned file.
signature=$((16#$(awk '$1 == "Entry" && $2 == 4 {print $4}' <<<"$headers")))
size=$(($(stat -c %s "$exe") - signature))
check "kinshu.exe is at most $limit bytes ($size)" yes \
  "$([ "$size" -le "$limit" ] && echo yes || echo "no: $size bytes")"
check "format" "pei-i386" "$("$objdump" -f "$exe" | sed -n 's/.*file format //p')"
check "subsystem" "(Windows GUI)" "$(awk '$1 == "Subsystem" {print $3, $4}' <<<"$headers")"
# A zero time stamp, which objdump shows as the start of 1970.
check "no time stamp" "Thu Jan  1 00:00:00 1970" \
  "$(sed -n 's/^Time\/Date\t*//p' <<<"$headers")"
others=$(sed -n 's/^\tDLL Name: //p' <<<"$headers" | tr '[:lower:]' '[:upper:]' |
  grep -vxE 'KERNEL32\.DLL|USER32\.DLL|GDI32\.DLL|COMCTL32\.DLL|MSVCRT\.DLL' |
  tr '\n' ' ')
check "imports only system DLLs" "" "$others"
check "no symbols" "" "$("$objdump" -f "$exe" | grep -o HAS_SYMS)"
# The manifest gives the program its code page and its common controls.
manifest="$build/generated/kinshu.manifest"
check "the manifest, whole" yes "$(python3 -I -c 'import sys
print("yes" if open(sys.argv[1], "rb").read() in open(sys.argv[2], "rb").read()
      else "no")' "$manifest" "$exe")"

# The same sources, copied to another folder and built there on their own.
work="$build/reproduce"
rm -rf "$work"
mkdir -p "$work/src"
cp -r "$source/CMakeLists.txt" "$source/cmake" "$source/src" "$source/tools" \
  "$work/src/"
if cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$work/src/cmake/$toolchain" \
  -DKINSHU_BUILD_TESTS=OFF >"$work/log" 2>&1 &&
  cmake --build "$work/build" --target kinshu >>"$work/log" 2>&1; then
  built=$exe
  [ "$signature" -eq 0 ] || built=$build/kinshu.exe
  if cmp -s "$built" "$work/build/kinshu.exe"; then
    same=same
  else
    same=$(cmp "$built" "$work/build/kinshu.exe" | head -1)
  fi
  check "built again in another folder, the same bytes" same "$same"
else
  cat "$work/log"
  check "built again in another folder" built failed
fi

report
