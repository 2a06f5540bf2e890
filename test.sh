#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test with CTest.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
velthorn_install "${VELTHORN_RUN_PACKAGES[@]}" "${VELTHORN_TEST_PACKAGES[@]}"
velthorn_build -DVELTHORN_TESTS=ON
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" "$@"
