#!/usr/bin/env bash
# Installs what the program needs, builds its program folder in build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build -j"$(nproc)"
exec build/program/qingsui "$@"
