#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Formats every C++ file of the project with .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
format="${1:-$(command -v clang-format-14 || command -v clang-format)}"
git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' | xargs "$format" -i
