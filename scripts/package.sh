#!/usr/bin/env bash
# Installs what the build and the packaging need, builds the program in build-deb/ with
# Debian's hardening flags and writes the Debian package build-deb/qingsui_1.6_amd64.deb.
# Install it with: sudo apt install ./build-deb/qingsui_1.6_amd64.deb
set -euo pipefail
# Every hardening flag Debian knows, bindnow too.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build build-deb -j"$(nproc)"
(cd build-deb && cpack -G DEB)
package="build-deb/qingsui_$(sed -n 's/^project(qingsui VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)_$(dpkg --print-architecture).deb"
test -f "$package"
echo "Wrote $package"
echo "Install it with: sudo apt install ./$package"
