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
exec "$build_dir/qzc" "/f:$event" "$@"
