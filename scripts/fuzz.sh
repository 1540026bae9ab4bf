#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer)
# in their own build folder, only the engine, the fixtures and the targets, and runs each
# target over its seeds, its kept regression inputs and the corpus of earlier runs for a
# bounded number of inputs. A crash, a sanitizer report, a leak, a reply no terminal could
# take or a database row that no valid request could have written fails the run; the input
# that did it is left in <build folder>/crashes.
# Usage: scripts/fuzz.sh [runs]   (inputs per target, 100000 when not given)
#   QZC_FUZZ_BUILD_DIR   the build folder (build-fuzz)
#   QZC_FUZZ_JOBS        parallel compile jobs (the number of processors, at most 4)
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-100000}
build_dir=${QZC_FUZZ_BUILD_DIR:-$top/build-fuzz}
jobs=${QZC_FUZZ_JOBS:-$(( $(nproc) < 4 ? $(nproc) : 4 ))}
# clang with libFuzzer and the sanitizer runtimes (libclang-rt-14-dev on Debian 12), and
# what the engine needs.
packages=(clang libclang-rt-14-dev cmake ninja-build qt6-base-dev qt6-base-dev-tools qt6-serialport-dev
          libqt6sql6-sqlite)
"$top/scripts/install-packages.sh" "${packages[@]}"

mkdir -p "$build_dir"
CC=clang CXX=clang++ cmake -S "$top" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DQZC_BUILD_FUZZ=ON -DQZC_BUILD_TESTS=OFF -DQZC_BUILD_BENCH=OFF \
      -DQZC_WERROR=${QZC_WERROR:-OFF} > "$build_dir/configure.log" ||
  { cat "$build_dir/configure.log"; exit 1; }
cmake --build "$build_dir" --parallel "$jobs" --target fuzz_radio fuzz_text qzc-fuzz-seeds

# The seeds are written afresh by the program's own code; the corpus grows from run to run.
rm -rf "$build_dir/seeds"
"$build_dir/fuzz/qzc-fuzz-seeds" "$build_dir/seeds"
mkdir -p "$build_dir/crashes"

# A small quarantine still catches a use after free within an input and keeps the memory
# of a long run from growing towards libFuzzer's limit. The allocation stacks that ASan keeps
# pass through Qt and SQLite, which are built without frame pointers, so nearly every one is
# new: in a long run their store grows without end and slows every allocation. A long run
# keeps one frame of them; run a reported input again for the whole stacks.
context=30
[ "$runs" -le 100000 ] || context=1
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:quarantine_size_mb=16:malloc_context_size=$context}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# The targets' events (score database, log, ini and names files) live in a temporary folder;
# in memory when there is room, so that the files the parsers write back cost no disk waits.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ] &&
   [ "$(df -Pk /dev/shm | awk 'NR == 2 { print $4 }')" -ge 262144 ]; then
  export TMPDIR=/dev/shm
fi

run_target() {
  local target=$1 max_len=$2
  mkdir -p "$build_dir/corpus/$target"
  local inputs=("$build_dir/corpus/$target" "$build_dir/seeds/$target")
  # A target without kept inputs has no folder of them in a fresh clone.
  [ ! -d "$top/fuzz/regressions/$target" ] || inputs+=("$top/fuzz/regressions/$target")
  "$build_dir/fuzz/fuzz_$target" -runs="$runs" -max_len="$max_len" -timeout=10 -print_final_stats=1 \
    -dict="$top/fuzz/$target.dict" -artifact_prefix="$build_dir/crashes/$target-" "${inputs[@]}" \
    > "$build_dir/fuzz_$target.log" 2>&1
}

# The two targets side by side, one processor each.
status=0
run_target radio 1024 & radio=$!
run_target text 4096 & text=$!
wait "$radio" || status=1
wait "$text" || status=1
for target in radio text; do
  echo "== fuzz_$target"
  grep -E "^#[0-9]+[[:space:]]+DONE|^stat::|^Done |==qzc-fuzz==|ERROR|SUMMARY" "$build_dir/fuzz_$target.log" || true
done
if [ "$status" -ne 0 ]; then
  echo "Fuzzing failed; see $build_dir/fuzz_*.log and $build_dir/crashes/" >&2
  for target in radio text; do tail -n 40 "$build_dir/fuzz_$target.log" >&2; done
fi
exit "$status"
