#!/usr/bin/env bash
# Sets up, builds and runs every test.
# Usage: scripts/test.sh [build-dir]   (QZC_SANITIZE=ON for the sanitizer build)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${1:-${QZC_BUILD_DIR:-$top/build}}
"$top/scripts/setup.sh" "$build_dir"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure --parallel "${QZC_JOBS:-$(nproc)}" --timeout 300
