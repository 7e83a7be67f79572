#!/usr/bin/env bash
# Installs every Debian package the program, its build and its tests need.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
packages=(
  # build
  build-essential cmake pkg-config
  # the font configuration, read while the display is being opened
  libfontconfig-dev
  # toolkit, database drivers (SQLite, a school's PostgreSQL server), translations of the standard dialogs
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql qt6-translations-l10n qt6-qpa-plugins
  # spreadsheet export
  libxlsxwriter-dev
  # grade analysis charts on screen (Qt Charts needs the OpenGL module's CMake files)
  qt6-charts-dev libqt6charts6 libqt6opengl6-dev
  # manual compiler and viewer
  fp-utils xchm
  # fonts for the Chinese user interface
  fonts-noto-cjk fonts-arphic-ukai fonts-arphic-uming
  # end-to-end tests: virtual display, input, accessibility, database inspection
  xvfb xauth xdotool x11-utils imagemagick sqlite3
  python3 python3-pyatspi python3-xlib python3-psycopg2 gir1.2-atspi-2.0 at-spi2-core dbus-x11
  # crash tests: kill a process at its n-th write (fault injection)
  strace
  # the Debian package: icons drawn as SVG, library dependencies, its checks; the
  # start-up benchmark watches the display through xcb
  qt6-svg-dev dpkg-dev lintian desktop-file-utils appstream libxcb1-dev
  # the tests' own throw-away database server
  postgresql
)
missing=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null | grep -vc ' installed$' || true)
if [ "$missing" = "0" ] && [ "$(dpkg-query -W "${packages[@]}" 2>/dev/null | wc -l)" = "${#packages[@]}" ]; then
  exit 0
fi
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${packages[@]}"
