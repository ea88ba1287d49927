#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts the program; without a display it runs offscreen so a headless machine can still
# exercise it.
set -euo pipefail
program="$1"
shift || true
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="/tmp/vorn-runtime-$(id -u)"
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 0700 "$XDG_RUNTIME_DIR"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: running Vorn offscreen (set DISPLAY to see the window)." >&2
  export QT_QPA_PLATFORM=offscreen
fi
exec "$program" "$@"
