#!/usr/bin/env bash
# run-fuzzers.sh FUZZ_BUILD SECONDS: writes the seeds, then runs every libFuzzer target of a
# build made with -DVORN_FUZZ=ON for SECONDS each. Findings land in FUZZ_BUILD/findings and
# make the run fail; the corpora grow in FUZZ_BUILD/corpus.
set -euo pipefail
build="$1"
seconds="$2"
targets=(read_document load_settings import_old)

for t in "${targets[@]}"; do
  if [ ! -x "$build/fuzz/fuzz_$t" ]; then
    echo "fuzz_$t is not built in $build (make fuzz-build)" >&2
    exit 1
  fi
done
"$build/fuzz/vorn_fuzz_seeds" "$build/seeds"
for t in "${targets[@]}"; do
  echo "== fuzz_$t ($seconds s)"
  mkdir -p "$build/corpus/$t" "$build/findings/$t"
  "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build/findings/$t/" "$build/corpus/$t" "$build/seeds/$t" 2>&1 |
    grep -E '^(stat::number_of_executed_units|==[0-9]+==|SUMMARY|ERROR|INFO: Running)' || true
  if [ -n "$(ls -A "$build/findings/$t")" ]; then
    echo "fuzz_$t found inputs that fail: $build/findings/$t" >&2
    exit 1
  fi
done
