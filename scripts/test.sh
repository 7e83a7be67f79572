#!/usr/bin/env bash
# Installs what the build and the tests need, builds everything in build-test/, packs that
# tree into the Debian package build-test/qingsui_….deb, and runs every test: unit and
# window tests headless, end-to-end tests under a virtual display, the package checks and
# the end-to-end test of the unpacked package.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON
cmake --build build-test -j"$(nproc)"
# The package from the tree just built, not a second build: lintian, the validators and
# the end-to-end test of the unpacked package run on it with the other tests.
bash scripts/package.sh build-test
# The store's tests and some end-to-end tests run a second time against a real
# PostgreSQL server: a throw-away cluster of their own, stopped however the tests end.
source scripts/test-server.sh
trap qs_server_stop EXIT
qs_server_start
cd build-test
ctest --output-on-failure -j"$(nproc)"
