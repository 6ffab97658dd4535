#!/usr/bin/env bash
# The plug-in's dynamic symbol table defines exactly VSTPluginMain and main, at one address.
set -euo pipefail
symbols=$(nm -D --defined-only "$1" | awk '{print $3 " " $1}' | sort)
names=$(echo "$symbols" | awk '{print $1}' | tr '\n' ' ')
if [ "$names" != "VSTPluginMain main " ]; then
  echo "unexpected exports: $names"
  exit 1
fi
addresses=$(echo "$symbols" | awk '{print $2}' | sort -u | wc -l)
[ "$addresses" -eq 1 ] || { echo "VSTPluginMain and main differ: $symbols"; exit 1; }
echo "exports: $names"
