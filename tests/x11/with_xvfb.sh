#!/usr/bin/env bash
# with_xvfb.sh COMMAND...: runs the command on a private Xvfb (96 DPI) that
# picks a free display itself (-displayfd), so tests running side by side
# never race for one as xvfb-run -a can.
set -euo pipefail
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset 3>"$fifo" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -f "$fifo"' EXIT
read -r -t 30 number <"$fifo" || { echo "with_xvfb.sh: Xvfb did not start" >&2; exit 1; }
DISPLAY=":$number" "$@"
