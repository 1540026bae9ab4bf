#!/usr/bin/env bash
# Installs the build packages when missing, then configures and builds QZC.
# Usage: scripts/setup.sh [build-dir] [target...]   (no target: everything;
#   QZC_SANITIZE=ON builds with ASan and UBSan, QZC_WERROR=ON makes every warning an error,
#   QZC_JOBS=n or CMAKE_BUILD_PARALLEL_LEVEL=n builds with n jobs)
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${1:-${QZC_BUILD_DIR:-$top/build}}
shift || true
packages=(g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools qt6-serialport-dev
          libqt6sql6-sqlite libgtest-dev libgmock-dev libbenchmark-dev clang-format)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

cmake -S "$top" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${QZC_BUILD_TYPE:-RelWithDebInfo} \
      -DQZC_SANITIZE=${QZC_SANITIZE:-OFF} -DQZC_BUILD_BENCH=${QZC_BUILD_BENCH:-ON} \
      -DQZC_WERROR=${QZC_WERROR:-OFF}
targets=()
[ $# -eq 0 ] || targets=(--target "$@")
cmake --build "$build_dir" --parallel "${QZC_JOBS:-${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}}" "${targets[@]}"
