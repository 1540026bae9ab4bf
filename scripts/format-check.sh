#!/usr/bin/env bash
# Checks that C++ files are formatted as the repository's .clang-format says; lists every
# misformatted place and fails when there is one. Without arguments: every tracked C++ file.
# Usage: scripts/format-check.sh [file...]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
if ! command -v clang-format >/dev/null; then
  echo "clang-format is not installed (scripts/setup.sh installs it)" >&2
  exit 2
fi
if [ $# -eq 0 ]; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
  files=("$@")
fi
[ ${#files[@]} -gt 0 ] || exit 0
clang-format --dry-run --Werror "${files[@]}"
