#!/usr/bin/env bash
# Time to the first shown window and idle memory of a program:
#   scripts/startup.sh calc|paint [runs]
# Runs the release build under its own virtual X server (96 DPI).
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

program="${1:?usage: scripts/startup.sh calc|paint [runs]}"
runs="${2:-5}"
case "$program" in calc) title=Calculator ;; paint) title=Sketchly ;; *) exit 2 ;; esac

ensure_packages "${BUILD_PACKAGES[@]}" qt6-qpa-plugins xvfb xauth xdotool
configure_and_build "$ROOT/build/release" "$program" -- -DCMAKE_BUILD_TYPE=Release -DPC_TESTS=OFF -DPC_BENCH=OFF >/dev/null

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
export DISPLAY="$display"

for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  "$ROOT/build/release/$program/$program" 2>>"$ROOT/build/startup-$program.log" &
  pid=$!
  # xdotool's own --sync polls only twice a second.
  until xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "$program exited before showing its window" >&2
      exit 1
    fi
    sleep 0.005
  done
  shown=$(date +%s%N)
  sleep 1
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$program: window shown after $(((shown - start) / 1000000)) ms, idle RSS ${rss} KiB"
done
