#!/usr/bin/env bash
# The Windows build's render of the demo under wine is the Linux build's, bit for bit, at
# 44.1, 48 and 96 kHz, at the defaults and with settings.
# Usage: render-matches-linux.sh WINE-RUN HOST.exe LINUX-HOST
set -euo pipefail
wine_run=$1 windows_host=$2 linux_host=$3
[ -x "$linux_host" ] || { echo "no Linux build at $linux_host to compare with"; exit 77; }
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
# The samples of a float WAV file, whatever chunks its writer put before them.
samples() { python3 -c 'import sys; d=open(sys.argv[1],"rb").read(); i=d.index(b"data"); sys.stdout.buffer.write(d[i+8:])' "$1"; }
for rate in 44100 48000 96000; do
  for settings in "" "--param Ratio=0.3 --param Sidechain=0.5 --param Gain=0.4 --param Dry-Wet=0.7"; do
    # shellcheck disable=SC2086
    "$wine_run" "$windows_host" render --quiet --bits float --rate "$rate" $settings "$(winepath -w "$folder/win.wav" 2>/dev/null || echo "$folder/win.wav")" 2>/dev/null
    # shellcheck disable=SC2086
    "$linux_host" render --quiet --bits float --rate "$rate" $settings "$folder/linux.wav"
    if ! cmp -s <(samples "$folder/win.wav") <(samples "$folder/linux.wav"); then
      echo "at $rate Hz with '${settings:-the defaults}': the renders differ"
      exit 1
    fi
    echo "$rate Hz, ${settings:-defaults}: $(stat -c %s "$folder/linux.wav") bytes, bit for bit the same"
  done
done
