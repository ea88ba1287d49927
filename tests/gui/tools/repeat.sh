#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# repeat.sh N PROGRAM: runs PROGRAM N times and fails if any run does not exit cleanly.
set -u
n="$1"
shift
failures=0
for i in $(seq 1 "$n"); do
  "$@" >/dev/null 2>&1
  rc=$?
  if [ "$rc" -ne 0 ]; then
    failures=$((failures + 1))
    echo "run $i ended with $rc"
  fi
done
echo "$((n - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
