#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# install-deps.sh [run|test]: installs the Debian packages Vorn needs. "run" (the default) is
# what building and starting the program and making its .deb take; "test" adds what the tests
# and benchmarks use: test frameworks, clang for the fuzzers and the format check, a sound
# server with sox and numpy to measure tones, Xvfb for the start-up benchmark, the validators
# of the desktop entry, file type, metainfo and manual page, lintian for the package,
# valgrind for the instruction budget, and the German locale (de_DE.UTF-8) the tests run
# under.
# Idempotent: apt-get and locale-gen run only when something is missing.
set -euo pipefail

run_packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev qt6-svg-dev qt6-multimedia-dev
  libfontconfig-dev
  libcli11-dev nlohmann-json3-dev libdxflib-dev
  dpkg-dev file
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format-14
  python3 pulseaudio pulseaudio-utils sox libsox-fmt-pulse python3-numpy
  xvfb libxcb1-dev poppler-utils
  desktop-file-utils appstream man-db libxml2-utils shared-mime-info libglib2.0-bin lintian
  locales valgrind
)

packages=("${run_packages[@]}")
german=false
case "${1:-run}" in
  run) ;;
  test) packages+=("${test_packages[@]}"); german=true ;;
  *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A new machine has only the C locales; locale -a spells the German one de_DE.utf8. The list
# is read whole first: with pipefail, `locale -a | grep -q` fails when grep stops early.
if $german; then
  installed_locales="$(locale -a 2>/dev/null || true)"
  if ! grep -qix 'de_DE\.utf-\?8' <<<"$installed_locales"; then
    echo "Generating the de_DE.UTF-8 locale"
    $SUDO sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    if ! grep -qx 'de_DE\.UTF-8 UTF-8' /etc/locale.gen; then
      echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    fi
    $SUDO locale-gen >/dev/null
  fi
fi
