#!/bin/bash
# Kills the probe at its 1st, 2nd, ... write while it replaces or appends a roster, clears
# the scores, writes the ranks, fills a new score column, grades a class from a batch or
# saves a row with Enter, and checks after each kill that the tables are whole: the old
# table or the new one. Ends when the command outlives every write.
set -u
probe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for command in replace clear sort scores evaluations append enter; do
  rm -rf "$work/base" && mkdir -p "$work/base/Data"
  "$probe" prepare "$work/base" "$command" || { echo "cannot prepare $command"; exit 1; }
  kills=0
  for n in $(seq 1 400); do
    rm -rf "$work/run" && cp -r "$work/base" "$work/run"
    strace -f -o /dev/null -e trace=pwrite64,write -e inject=pwrite64:signal=SIGKILL:when=$n \
      "$probe" run "$work/run" "$command" > "$work/out" 2>&1
    rc=$?
    found=$("$probe" check "$work/run" "$command")
    if [ $? -ne 0 ]; then
      echo "$command killed at write $n left: $found"; status=1
    fi
    if [ $rc -eq 0 ]; then
      echo "$command: killed at each of its first $kills writes, then finished at write $n"
      break
    fi
    if [ $rc -ne 137 ]; then
      echo "$command ended with $rc at write $n:"; cat "$work/out"; status=1; break
    fi
    kills=$((kills + 1))
  done
  [ $kills -gt 0 ] || { echo "$command was never killed"; status=1; }
done
exit $status
