#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails when a C++ file of the project deviates from .clang-format; lists the files.
# Usage: check-format.sh [clang-format program]
set -euo pipefail
cd "$(dirname "$0")/.."
format="${1:-clang-format}"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
else
  mapfile -t files < <(find core render gui cli tests bench fuzz -name '*.cpp' -o -name '*.h')
fi
bad=()
for f in "${files[@]}"; do
  [ -f "$f" ] || continue
  "$format" --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
  echo "Not formatted with $("$format" --version | head -1):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  echo "Run: $format -i <file> (or scripts/format.sh for the whole tree)" >&2
  exit 1
fi
echo "${#files[@]} files formatted"
