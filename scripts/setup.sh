#!/usr/bin/env bash
# Installs the build packages when missing, then configures and builds QZC.
# Usage: scripts/setup.sh [build-dir]   (QZC_SANITIZE=ON builds with ASan and UBSan)
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${1:-${QZC_BUILD_DIR:-$top/build}}
packages=(g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools qt6-serialport-dev
          libqt6sql6-sqlite libgtest-dev libgmock-dev libbenchmark-dev)
"$top/scripts/install-packages.sh" "${packages[@]}"

cmake -S "$top" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${QZC_BUILD_TYPE:-RelWithDebInfo} \
      -DQZC_SANITIZE=${QZC_SANITIZE:-OFF} -DQZC_BUILD_BENCH=${QZC_BUILD_BENCH:-ON}
cmake --build "$build_dir" --parallel "$(nproc)"
