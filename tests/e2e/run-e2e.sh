#!/usr/bin/env bash
# Runs one end-to-end script against the built program folder on a virtual display, with
# the accessibility bus the scripts read the windows through.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
program_folder="$1"; script="$2"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0 PYTHONPATH="$here"
unset QT_QPA_PLATFORM
exec xvfb-run -a -s "-screen 0 1280x800x24" dbus-run-session -- /usr/bin/python3 "$here/$script" "$program_folder"
