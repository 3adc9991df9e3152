#!/usr/bin/env bash
# Runs platform_scene in a real X window under Xvfb and ends it by typing Esc with xdotool,
# as a user would. Usage: run_in_xvfb.sh PROGRAM SCREENSHOT.png. Exit status: the program's.
set -euo pipefail
program=$1
screenshot=$2

if [[ -z ${ORVANTA_INSIDE_XVFB:-} ]]; then
  # -a picks a free display number; timeout keeps a hung window from hanging the suite.
  exec env ORVANTA_INSIDE_XVFB=1 timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

unset SDL_VIDEODRIVER
ready=$(mktemp -u /tmp/orvanta-scene-ready.XXXXXX)
trap 'rm -f "$ready"' EXIT

ORVANTA_SCENE_READY=$ready "$program" "-screenshot:$screenshot" &
pid=$!
# Frames are drawn once the marker exists; Esc before that could end a run with no frame.
for _ in $(seq 400); do
  [[ -e $ready ]] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
window=$(xdotool search --sync --onlyvisible --name '^Orvanta scene$' | head -n 1)
xdotool windowfocus --sync "$window"
xdotool key Escape
wait "$pid"
