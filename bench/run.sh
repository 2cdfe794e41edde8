#!/usr/bin/env bash
# Runs the benchmarks and prints a table of times, ratios and peak memory.
#   bench/run.sh [extract|dedupe|subtract|all]      (default: all)
# Environment: ONDREL_BENCH_DIR (generated data, default bench/out), ONDREL_BENCH_BUILD
# (build folder, default build-bench), ONDREL_BENCH_RUNS (timed runs, default 3),
# ONDREL_BENCH_SCALE (workload size factor, default 1; 0.01 for a quick trial).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
source "$here/extract.sh"
source "$here/dedupe.sh"
source "$here/subtract.sh"

what=${1:-all}
case $what in
  extract | dedupe | subtract | all) ;;
  *)
    echo "usage: bench/run.sh [extract|dedupe|subtract|all]" >&2
    exit 2
    ;;
esac

mkdir -p "$DATA" "$LOGS"
: >"$DATA/results.txt"
build_tools
echo "machine: $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo); $(rg --version | sed -n 1p); $(sort --version | sed -n 1p)" |
  tee -a "$DATA/results.txt"
[[ $SCALE == 1 ]] || echo "workloads scaled by $SCALE" | tee -a "$DATA/results.txt"

[[ $what == extract || $what == all ]] && run_extract
[[ $what == dedupe || $what == all ]] && run_dedupe
[[ $what == subtract || $what == all ]] && run_subtract
echo
echo "table saved in $DATA/results.txt"
