#!/usr/bin/env bash
# The process start-up comparison on the xcb platform under a virtual X server, as the window
# meets a real display: starts Xvfb on a free display number, runs the three probes (bare
# window, window with one caption, main window) taking turns and prints their medians and the
# main window's ratios (bench/startup_compare.cpp).
#   bench/startup_xvfb.sh [rounds] [build-dir]     (15 rounds; build-release, configured and built here)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-15}
build=${2:-$root/build-release}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j 2 --target startup_compare >/dev/null

# The first display number from 90 on that no server holds.
display=90
while [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  [[ -e /tmp/.X11-unix/X$display ]] && break
  sleep 0.1
done

DISPLAY=":$display" QUILTANE_PROBE_PLATFORM=xcb "$build/bin/startup_compare" "$rounds"
