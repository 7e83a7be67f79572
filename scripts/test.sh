#!/usr/bin/env bash
# Installs what the build and the tests need, builds everything in build-test/ and runs
# every test: unit and window tests headless, end-to-end tests under a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON
cmake --build build-test -j"$(nproc)"
cd build-test
ctest --output-on-failure -j"$(nproc)"
