#!/usr/bin/env bash
# Runs a Windows program under wine, quietly and without prompts, in a wine prefix of its
# own (made on first use), as the Windows build's tests run.
set -euo pipefail
export WINEPREFIX="${WINEPREFIX:-${TMPDIR:-/tmp}/marvolenzik-wine-$(id -u)}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# Rendering needs no display; the editor's tests start their own X server.
exec wine "$@"
