#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts Xvfb and openbox on a free display, runs noctivue-launchbench against
# the built viewer and the bare reference window, and stops both again.
#
#   bench/launchbench.sh [BUILD_DIR] [-- launchbench options]
#
# Needs the packages xvfb, openbox and xdotool (bench only: CI does not run it).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
[ "$#" -gt 0 ] && shift
[ "${1:-}" = "--" ] && shift
display="${NOCTIVUE_BENCH_DISPLAY:-:16}"
size="${NOCTIVUE_BENCH_SCREEN:-1920x1080x24}"

Xvfb "$display" -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "${wm:-}" "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    DISPLAY="$display" xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
done
DISPLAY="$display" openbox >/dev/null 2>&1 &
wm=$!
sleep 1

DISPLAY="$display" "$build/bench/noctivue-launchbench" \
    --viewer "$build/app/noctivue" \
    --bare "$build/bench/noctivue-barewindow" \
    --pictures "$build/artwork/out" \
    --xserver "$xvfb" "$@"
