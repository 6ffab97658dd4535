#!/usr/bin/env bash
# Installs, from Debian's packages, everything the build, the tools and the tests need.
# Safe to run again; uses sudo when not run as root.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # render host, and the player's audio output and the audio server its test runs
  libsndfile1-dev librtaudio-dev jackd2
  # peer plug-ins for comparison, and a real host's plug-in scanner
  zam-plugins lsp-plugins-vst ardour
  # tube-table generator
  python3 python3-numpy python3-scipy
  # plots, and the editor's drawing and window
  libcairo2-dev libx11-dev
  # the editor's fonts (metric-compatible stand-ins for Verdana and Arial)
  fontconfig fonts-dejavu-core fonts-liberation
  # the artwork generator: fonts found through fontconfig, rendered by FreeType
  libfontconfig-dev libfreetype-dev fonts-dejavu-extra
  # a real X server, input and clipboard clients for the editor's tests
  xvfb xdotool xclip x11-utils
  # a locale with a decimal comma, for the tests that show presets ignore the locale
  locales
  # fuzzing: clang with its libFuzzer and sanitizer runtimes
  clang libclang-rt-14-dev
  # the validator's editor checks drive the pointer through XTest
  libxtst-dev
  # the Windows build: cross-compiled with mingw-w64 (the posix-thread compilers), run and
  # tested under wine; GoogleTest's sources for the tests built with it
  g++-mingw-w64-x86-64-posix wine wine64 googletest
  # the LV2 build and its hosting through lilv, and the checker of its description
  lv2-dev liblilv-dev lilv-utils sordi
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${packages[@]}"

# Generated from /etc/locale.gen, so that a later locale-gen keeps it.
if ! locale -a 2>/dev/null | grep -qx 'de_DE.utf8'; then
  grep -qx 'de_DE.UTF-8 UTF-8' /etc/locale.gen ||
    echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi
