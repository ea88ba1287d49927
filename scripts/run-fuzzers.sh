#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# run-fuzzers.sh FUZZ_BUILD SECONDS: writes the seeds, then runs every libFuzzer target of a
# build made with -DVORN_FUZZ=ON for SECONDS each. Findings land in FUZZ_BUILD/findings and
# make the run fail once all targets have run; the corpora grow in FUZZ_BUILD/corpus.
# A document takes milliseconds through the readers and every consumer, even under the
# sanitizers: one input over 10 s, a process over 1 GiB or one allocation over 128 MiB means
# that some number read from a file drives the work, and counts as a finding.
set -euo pipefail
build="$1"
seconds="$2"
targets=(read_document load_settings import_old read_recovery read_scala)

for t in "${targets[@]}"; do
  if [ ! -x "$build/fuzz/fuzz_$t" ]; then
    echo "fuzz_$t is not built in $build (make fuzz-build)" >&2
    exit 1
  fi
done
"$build/fuzz/vorn_fuzz_seeds" "$build/seeds"
# Every target runs to its end even when an earlier one found something; the summary says all.
failed=()
for t in "${targets[@]}"; do
  echo "== fuzz_$t ($seconds s)"
  mkdir -p "$build/corpus/$t" "$build/findings/$t"
  "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -print_final_stats=1 \
    -timeout=10 -rss_limit_mb=1024 -malloc_limit_mb=128 \
    -artifact_prefix="$build/findings/$t/" "$build/corpus/$t" "$build/seeds/$t" 2>&1 |
    grep -E '^(stat::number_of_executed_units|==[0-9]+==|SUMMARY|ERROR|INFO: Running)' || true
  if [ -n "$(ls -A "$build/findings/$t")" ]; then
    failed+=("$t")
  fi
done
echo "== summary"
for t in "${targets[@]}"; do
  n=$(find "$build/findings/$t" -type f | wc -l)
  echo "fuzz_$t: $n failing input(s) in $build/findings/$t"
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "failing targets: ${failed[*]}" >&2
  exit 1
fi
