#!/usr/bin/env bash
# Builds the fuzzers with clang (AddressSanitizer, UndefinedBehaviorSanitizer) and runs each
# one for SECONDS seconds (default 60), starting from the seed corpora in tests/fuzz/corpus.
# Usage: scripts/fuzz.sh [SECONDS] [FUZZER...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
build="$here/build-fuzz"

CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DONDREL_BUILD_FUZZERS=ON -DONDREL_BUILD_TESTS=OFF -DONDREL_BUILD_GUI=OFF >/dev/null
ninja -C "$build" $(cd "$here/tests/fuzz" && ls fuzz_*.cc | sed 's/\.cc$//')

fuzzers=("$@")
if [ ${#fuzzers[@]} -eq 0 ]; then
  fuzzers=($(cd "$here/tests/fuzz" && ls fuzz_*.cc | sed 's/\.cc$//'))
fi

status=0
for fuzzer in "${fuzzers[@]}"; do
  corpus="$build/corpus/$fuzzer"
  mkdir -p "$corpus"
  seeds="$here/tests/fuzz/corpus/$fuzzer"
  [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
  log="$build/$fuzzer.log"
  echo "== $fuzzer: $seconds s"
  if "$build/tests/fuzz/$fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$build/$fuzzer-" "$corpus" >"$log" 2>&1; then
    grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$log" | sed 's/^/   /'
  else
    echo "   FAILED: see $log"; tail -n 30 "$log"; status=1
  fi
done
exit $status
