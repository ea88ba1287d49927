#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# check-lintian.sh BUILD-FOLDER: runs lintian on the newest vorn_*_amd64.deb in BUILD-FOLDER and
# fails on any error or warning. Informational and pedantic tags are shown and pass.
# Exits 77 (skipped) when there is no package: `make package` builds one.
set -uo pipefail

if [ $# -ne 1 ] || [ ! -d "$1" ]; then
  echo "usage: $0 BUILD-FOLDER" >&2
  exit 2
fi
deb=
for f in "$1"/vorn_*_amd64.deb; do
  if [ -f "$f" ] && { [ -z "$deb" ] || [ "$f" -nt "$deb" ]; }; then deb=$f; fi
done
if [ -z "$deb" ]; then
  echo "skipped: no vorn_*_amd64.deb in $1 (make package builds one)"
  exit 77
fi

echo "lintian $(basename "$deb")"
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
lintian --tag-display-limit 0 --display-info --pedantic --fail-on error,warning "$deb" 2>"$errors"
status=$?
# As root lintian says so before it starts; anything else it says goes on.
grep -v 'running with root privileges is not recommended' "$errors" >&2
if [ "$status" -ne 0 ]; then
  echo "FAIL: lintian found errors or warnings in $deb (exit $status)" >&2
  exit 1
fi
echo "no lintian errors or warnings"
