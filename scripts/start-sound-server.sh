#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts a PulseAudio server with a null sink "vorn_sink" for the sound tests, unless one
# answers already. Prints the environment the tests need (eval it).
set -euo pipefail

runtime="${XDG_RUNTIME_DIR:-/tmp/vorn-runtime-$(id -u)}"
mkdir -p "$runtime"
chmod 0700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"

if ! pactl info >/dev/null 2>&1; then
  # As root the server must run in user mode; system mode refuses root clients.
  pulseaudio -D -n --exit-idle-time=-1 --disallow-exit \
    --load=module-native-protocol-unix \
    --load="module-null-sink sink_name=vorn_sink" >/dev/null 2>&1 || true
  for _ in $(seq 1 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
  done
fi

# Whether the server has a sink or source of that name. The list is read whole first: with
# pipefail, `pactl ... | grep -q` fails when grep stops reading early, and a second sink
# would be loaded.
has() {
  local names
  names="$(pactl list short "$1" | cut -f2)"
  grep -qx "$2" <<<"$names"
}

if pactl info >/dev/null 2>&1; then
  if ! has sinks vorn_sink; then
    pactl load-module module-null-sink sink_name=vorn_sink >/dev/null
  fi
  # The monitor is hidden from programs' input lists; a remapped copy is not, so a
  # program can listen to what it plays (the click-to-sound measurement does).
  if ! has sources vorn_capture; then
    pactl load-module module-remap-source master=vorn_sink.monitor source_name=vorn_capture >/dev/null
  fi
  pactl set-default-sink vorn_sink
  echo "export XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR"
else
  echo "echo 'No sound server could be started' >&2"
  exit 1
fi
