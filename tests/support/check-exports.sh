#!/usr/bin/env bash
# A plug-in's dynamic symbol table defines exactly the names given (sorted), and, where
# several are given, all at one address (one function under several names).
# Usage: check-exports.sh PLUGIN NAME...
set -euo pipefail
plugin=$1
shift
expected=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
symbols=$(nm -D --defined-only "$plugin" | awk '{print $3 " " $1}' | sort)
names=$(echo "$symbols" | awk '{print $1}' | tr '\n' ' ')
if [ "$names" != "$expected" ]; then
  echo "unexpected exports: $names (expected $expected)"
  exit 1
fi
addresses=$(echo "$symbols" | awk '{print $2}' | sort -u | wc -l)
[ "$addresses" -eq 1 ] || { echo "the exports lie at different addresses: $symbols"; exit 1; }
echo "exports: $names"
