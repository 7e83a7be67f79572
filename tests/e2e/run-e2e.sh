#!/usr/bin/env bash
# Runs one end-to-end script against the built program folder on a virtual display, with
# the accessibility bus the scripts read the windows through.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
program_folder="$1"; script="$2"; engine="${3:-}"
# The run against a server needs the tests' own (scripts/test.sh starts it).
if [ "$engine" = "server" ]; then
  if [ -z "${QS_TEST_DATABASE_URL:-}" ]; then
    echo "SKIP: QS_TEST_DATABASE_URL is not set (scripts/test.sh starts a test server)"
    exit 77
  fi
  export QS_E2E_SERVER_URL="$QS_TEST_DATABASE_URL"
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 PYTHONPATH="$here"
unset QT_QPA_PLATFORM
# A display number of our own: one just given up by the previous script may still be in
# the middle of shutting down, which xvfb-run's own choice (-a) does not notice.
display=$((100 + RANDOM % 400))
while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
  display=$((display + 1))
done
server_log="$(mktemp)"
trap 'rm -f "$server_log"' EXIT
status=0
xvfb-run -n "$display" -e "$server_log" -s "-screen 0 1280x800x24" \
  dbus-run-session -- /usr/bin/python3 "$here/$script" "$program_folder" || status=$?
if [ "$status" -ne 0 ] && [ -s "$server_log" ]; then
  echo "--- virtual display :$display said:"; cat "$server_log"
fi
exit "$status"
