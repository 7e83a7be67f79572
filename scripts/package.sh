#!/usr/bin/env bash
# Installs what the build and the packaging need, builds the program in build-deb/ with
# Debian's hardening flags and writes the Debian package build-deb/qingsui_1.6_amd64.deb.
# Install it with: sudo apt install ./build-deb/qingsui_1.6_amd64.deb
#
# scripts/package.sh BUILD_DIR packs an already configured build tree instead (the tests'
# build-test/, so CI builds the program once); the package is then BUILD_DIR/qingsui_….deb.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-deb}
if [ $# -eq 0 ]; then
  bash scripts/install-deps.sh
  # Every hardening flag Debian knows, bindnow too.
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DCMAKE_MODULE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
fi
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB)
package="$build/qingsui_$(sed -n 's/^project(qingsui VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)_$(dpkg --print-architecture).deb"
test -f "$package"
echo "Wrote $package"
echo "Install it with: sudo apt install ./$package"
