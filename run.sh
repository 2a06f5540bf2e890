#!/usr/bin/env bash
# Sets up what is missing, builds, writes the demo databases to demo/ when they are missing, and
# runs the headless update run on them.   ./run.sh --window   opens the window on the same files.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
velthorn_install "${VELTHORN_RUN_PACKAGES[@]}"
velthorn_build -DVELTHORN_TESTS=OFF
if [ ! -f demo/Sarnovik.db ] || [ ! -f demo/PriceList_DAIHATSU.db ]; then
    ./build/bin/velthorn-demo demo
fi
if [ "${1:-}" = "--window" ]; then
    shift
    exec ./build/bin/velthorn --window --price-list demo/PriceList_DAIHATSU.db --data demo/Sarnovik.db "$@"
fi
exec ./build/bin/velthorn --price-list demo/PriceList_DAIHATSU.db --data demo/Sarnovik.db "$@"
