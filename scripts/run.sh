#!/usr/bin/env bash
# Builds QZC and the two tools of the demo (nothing else), then starts QZC on a freshly
# built sample event with a simulated base station whose terminals play the evening.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${QZC_BUILD_DIR:-$top/build}
"$top/scripts/setup.sh" "$build_dir" qzc qzc-basestation qzc-sample-event

# Without a display the window is drawn off screen, so the program still runs.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: running with QT_QPA_PLATFORM=offscreen"
  export QT_QPA_PLATFORM=offscreen
fi

# The demo folder starts clean, without the log or result files of an earlier run. A folder
# that this script did not make is never emptied.
demo=${QZC_DEMO_DIR:-$build_dir/demo}
marker="$demo/.qzc-demo"
if [ -d "$demo" ] && [ ! -e "$marker" ] && [ -n "$(ls -A "$demo")" ]; then
  echo "$demo holds files this script did not make; set QZC_DEMO_DIR to a new folder." >&2
  exit 1
fi
rm -rf "$demo"
mkdir -p "$demo"
: >"$marker"
export QZC_HOME="$demo/"
# The demo folder is the program folder: it gets the help pages the build put beside QZC.
cp -r "$build_dir/src/Help" "$demo/Help"

# The program folder's ini file holds the defaults of a club pairs evening: matchpoints.
ini="$demo/qzcontrol.ini"
printf '[QZC Default Game Settings]\r\nScoringType=2\r\n' >"$ini"

# A freshly built sample event (a club evening of two sections); it has no log file yet, so
# the program opens it as a new event with the default settings.
event="$demo/club-evening.db"
"$build_dir/tools/qzc-sample-event" "$event" >/dev/null
# A simulated base station on a pseudo-terminal; its device path goes into the ini file's
# SerialDevices key, so the program finds it as its first serial port. Its terminals play
# the evening: once the game is started they log in and enter every board (QZC_DEMO_PACE:
# milliseconds between two results of a table).
device_file="$demo/basestation.device"
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
