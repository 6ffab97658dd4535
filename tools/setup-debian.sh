#!/usr/bin/env bash
# Installs, from Debian's packages, everything the build, the tools and the tests need.
# Safe to run again; uses sudo when not run as root.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # render host
  libsndfile1-dev
  # peer plug-ins for comparison, and a real host's plug-in scanner
  zam-plugins lsp-plugins-vst ardour
  # tube-table generator
  python3 python3-numpy python3-scipy
  # plots
  libcairo2-dev
  # validator: X11 and XTest for editor checks, a virtual X server for tests, clang for
  # the fuzz and thread-sanitizer builds
  libx11-dev libxtst-dev xvfb clang libclang-rt-dev
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${packages[@]}"
