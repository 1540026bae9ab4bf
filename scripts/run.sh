#!/usr/bin/env bash
# Sets up, builds and starts QZC.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${QZC_BUILD_DIR:-$top/build}
"$top/scripts/setup.sh" "$build_dir"

# Without a display the window is drawn off screen, so the program still runs.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: running with QT_QPA_PLATFORM=offscreen"
  export QT_QPA_PLATFORM=offscreen
fi

demo=${QZC_DEMO_DIR:-$top/build/demo}
mkdir -p "$demo"
export QZC_HOME="$demo/"

# A freshly built sample event (a club evening of two sections); without its old log
# file the program opens it as a new event.
event="$demo/club-evening.db"
rm -f "$demo/club-evening.log"
"$build_dir/tools/qzc-sample-event" "$event" >/dev/null
# A simulated base station on a pseudo-terminal; its device path goes into the ini file's
# SerialDevices key, so the program finds it as its first serial port. Its terminals play
# the evening: once the game is started they log in and enter every board (QZC_DEMO_PACE:
# milliseconds between two results of a table).
ini="$demo/qzcontrol.ini"
device_file="$demo/basestation.device"
rm -f "$device_file"
"$build_dir/tools/qzc-basestation" --ini "$ini" --play "$event" --pace "${QZC_DEMO_PACE:-500}" >"$device_file" &
station=$!
trap 'kill "$station" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  [ -s "$device_file" ] && break
  sleep 0.1
done
echo "Simulated base station on $(cat "$device_file")"
echo "Save the game settings, then start the game with F2 (Game settings > Start): the terminals then log in and enter their results."

"$build_dir/src/qzc" "/f:$event" "$@"
