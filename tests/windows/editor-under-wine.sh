#!/usr/bin/env bash
# The Windows build's editor under wine in a private X server, driven as a user drives it:
# its picture against the Linux build's (the difference measured and bounded), a drag on
# Ratio (one gesture of rising automation), COPY to and PASTE from the X clipboard (wine
# bridges it), LOAD's file dialog shown and cancelled, and the Direct2D build opened and
# closed.
# Usage: editor-under-wine.sh WINE-RUN HOST.exe GDIPLUS-PLUGIN.dll PLUGIN.dll LINUX-HOST PNG-DIFFERENCE.py
set -euo pipefail
wine_run=$1 windows_host=$2 gdiplus_plugin=$3 plugin=$4 linux_host=$5 png_difference=$6
for program in xvfb-run xdotool xclip python3; do
  command -v "$program" >/dev/null || { echo "$program is not installed"; exit 77; }
done
if [ -z "${MARVOLENZIK_IN_XVFB:-}" ]; then
  MARVOLENZIK_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi
folder=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$folder"' EXIT
windows_path() { winepath -w "$1" 2>/dev/null; }
title="Marvolenzik - marvolenzik-host"

# The editor's window, and where its inside starts within the X window wine made (wine
# draws the caption itself when no window manager runs).
find_window() {
  local id
  id=$(timeout 60 xdotool search --sync --name "$title" | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  border=$(( (WIDTH - 1000) / 2 ))
  top=$(( HEIGHT - 700 - border ))
  window=$id
}
# A click or a move at a point of the editor.
at() { xdotool mousemove --window "$window" $(( $1 + border )) $(( $2 + top )); sleep 0.15; }

echo "== the picture, against the Linux build's"
if [ -x "$linux_host" ]; then
  "$linux_host" gui --seconds 4 --screenshot "$folder/linux.png" >/dev/null 2>&1
  "$wine_run" "$windows_host" gui --plugin "$(windows_path "$gdiplus_plugin")" --seconds 6 \
    --screenshot "$(windows_path "$folder/windows.png")" >/dev/null 2>&1
  # The meters, the volume that auto-gain turns and the read-out move with the music.
  python3 "$png_difference" "$folder/linux.png" "$folder/windows.png" --ignore 300,129,930,290 --ignore 0,660,1000,700 \
    --most-mean 3.0 --most-share 0.05
else
  echo "no Linux build at $linux_host: the picture is not compared"
fi

echo "== a drag on Ratio, COPY and PASTE"
"$wine_run" "$windows_host" gui --plugin "$(windows_path "$gdiplus_plugin")" --seconds 30 --log \
  2>"$folder/requests.txt" >/dev/null &
find_window
sleep 2
at 688 495
xdotool mousedown 1
for y in 490 485 480 475 470 465 460 455 450 445; do at 688 $y; done
xdotool mouseup 1
sleep 0.5
at 505 20
xdotool click 1
sleep 1
copied=$(timeout 10 xclip -o -selection clipboard)
case "$copied" in
  "Marvolenzik 010000"*) echo "COPY put the preset on the X clipboard" ;;
  *) echo "COPY: the X clipboard holds '$copied'"; exit 1 ;;
esac
printf 'Marvolenzik 010000\nInGain 0.2500000000\nOutGain 0.7500000000\nAtk 0.1000000000\nRls 0.9000000000\nRatio 0.3300000000\nLGrid 0.6000000000\nRGrid 0.4500000000\nDryWetMix 0.8000000000\nON 1.0000000000\nAG 0.0000000000\nSC 0.5000000000\n' |
  xclip -selection clipboard -i
sleep 0.5
at 560 20
xdotool click 1
sleep 1.5
# LOAD opens the shell's file dialog, modal, with the title asked for; Escape cancels it.
at 390 20
xdotool click 1
dialog=$(timeout 20 xdotool search --sync --name "Choose A Preset File To Load" | head -n 1)
echo "LOAD opened the file dialog"
# The dialog is mapped before it takes keys, so a first Escape may be lost: press it again
# each second until the dialog goes.
for _ in $(seq 10); do
  xdotool key --window "$dialog" Escape 2>/dev/null || true  # gone meanwhile
  for _ in $(seq 10); do xdotool search --name "Choose A Preset File To Load" >/dev/null 2>&1 || break 2; sleep 0.1; done
done
if xdotool search --name "Choose A Preset File To Load" >/dev/null 2>&1; then echo "Escape left the dialog open"; exit 1; fi
echo "Escape closed it"
kill %1 2>/dev/null || true
wait %1 2>/dev/null || true

python3 - "$folder/requests.txt" <<'PYTHON'
import re, sys
lines = open(sys.argv[1], errors="replace").read().splitlines()
requests = []
for line in lines:
    m = re.match(r"host request (\w+) \((\d+)\) index (-?\d+) value (-?\d+) opt (\S+)", line)
    if m: requests.append((m.group(1), int(m.group(3)), float(m.group(5))))
edits = [r for r in requests if r[0] in ("audioMasterBeginEdit", "audioMasterEndEdit", "audioMasterAutomate")]
begin = next(i for i, r in enumerate(edits) if r[0] == "audioMasterBeginEdit" and r[1] == 4)
end = next(i for i, r in enumerate(edits) if r[0] == "audioMasterEndEdit" and r[1] == 4)
values = [r[2] for r in edits[begin + 1:end] if r[0] == "audioMasterAutomate" and r[1] == 4]
assert values and all(b > a for a, b in zip(values, values[1:])), f"Ratio's values: {values}"
print(f"the drag on Ratio: one gesture, {len(values)} rising values from {values[0]:.3f} to {values[-1]:.3f}")
pasted = {r[1]: r[2] for r in edits[end:] if r[0] == "audioMasterAutomate"}
expected = {0: 0.25, 1: 0.75, 4: 0.33, 10: 0.5}
assert all(abs(pasted.get(i, -1) - v) < 1e-6 for i, v in expected.items()), f"after PASTE: {pasted}"
print("PASTE took the preset from the X clipboard: eleven values sent to the host")
PYTHON

echo "== the Direct2D build opens and closes"
"$wine_run" "$windows_host" gui --plugin "$(windows_path "$plugin")" --seconds 3 >/dev/null 2>&1
echo "it ran and ended cleanly"
