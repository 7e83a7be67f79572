#!/usr/bin/env bash
# Installs what the program needs, builds its program folder in build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# 导出至Excel opens its workbook with the desktop's spreadsheet application; the tests read
# the workbook back themselves and need none.
if [ "$(dpkg-query -W -f='${Status}\n' libreoffice-calc xdg-utils 2>/dev/null | grep -c ' installed$')" != 2 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends libreoffice-calc xdg-utils
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build -j"$(nproc)"
exec build/program/qingsui "$@"
