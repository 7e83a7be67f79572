#!/usr/bin/env bash
# Installs what the build and the tests need, builds the Debian package in build-deb/ and
# everything else in build-test/, and runs every test: unit and window tests headless,
# end-to-end tests under a virtual display, the package checks.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# The Debian package first: lintian, the validators and the end-to-end test of the
# unpacked package run on it with the other tests.
bash scripts/package.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON
cmake --build build-test -j"$(nproc)"
cd build-test
ctest --output-on-failure -j"$(nproc)"
