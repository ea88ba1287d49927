#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Starting the sound server again leaves exactly one vorn_sink and one vorn_capture.
set -euo pipefail
script="$1"
for _ in 1 2 3; do
  bash "$script" >/dev/null
done
sinks="$(pactl list short sinks | cut -f2)"
sources="$(pactl list short sources | cut -f2)"
count_sinks="$(grep -cx vorn_sink <<<"$sinks" || true)"
count_sources="$(grep -cx vorn_capture <<<"$sources" || true)"
echo "vorn_sink: $count_sinks, vorn_capture: $count_sources"
[ "$count_sinks" -eq 1 ] && [ "$count_sources" -eq 1 ]
