#!/usr/bin/env bash
# A real host's scanner accepts the plug-in: Ardour's VST scanner writes a cache entry
# (.v2i) only for plug-ins it accepts, and exits 0 either way.
set -euo pipefail
scanner=/usr/lib/ardour7/ardour-vst-scanner
if [ ! -x "$scanner" ]; then
  echo "SKIP: $scanner not installed (tools/setup-debian.sh installs it)"
  exit 77
fi
cache=$(mktemp -d)
trap 'rm -rf "$cache"' EXIT
LD_LIBRARY_PATH=/usr/lib/ardour7 XDG_CACHE_HOME="$cache" "$scanner" -f -v "$1"
entry=$(find "$cache/ardour7/vst" -name '*.v2i' 2>/dev/null | head -n 1)
[ -n "$entry" ] || { echo "the scanner refused the plug-in"; exit 1; }
cat "$entry"
for expected in 'id="5068378"' 'name="Marvolenzik"' 'n_inputs="2"' 'n_outputs="2"' \
                'can_process_replace="1"' 'has_editor="1"' 'is_instrument="0"'; do
  grep -q "$expected" "$entry" || { echo "missing $expected"; exit 1; }
done
