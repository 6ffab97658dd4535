#!/usr/bin/env bash
# A Windows plug-in's export table names exactly the entries given, and it imports nothing
# but the system's own libraries (the runtimes are linked in).
# Usage: check-dll-exports.sh PLUGIN.dll NAME...
set -euo pipefail
dll=$1
shift
exports=$(x86_64-w64-mingw32-objdump -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  awk '/\[ *[0-9]+\]/ {print $NF}' | sort | tr '\n' ' ')
expected=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
[ "$exports" = "$expected" ] || { echo "exports: $exports (expected $expected)"; exit 1; }
imports=$(x86_64-w64-mingw32-objdump -p "$dll" | awk '/DLL Name:/ {print tolower($3)}' | sort | tr '\n' ' ')
for name in $imports; do
  case "$name" in
    comdlg32.dll|gdi32.dll|gdiplus.dll|kernel32.dll|msvcrt.dll|ole32.dll|shell32.dll|user32.dll) ;;
    *) echo "imports $name, which not every Windows has"; exit 1 ;;
  esac
done
echo "exports: $exports; imports: $imports"
