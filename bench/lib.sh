# Shared by the benchmark scripts: where things are, building, the workloads, timing with
# hyperfine, peak memory, and the result table. Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${ONDREL_BENCH_BUILD:-$ROOT/build-bench}
DATA=${ONDREL_BENCH_DIR:-$ROOT/bench/out}
SCALE=${ONDREL_BENCH_SCALE:-1}
RUNS=${ONDREL_BENCH_RUNS:-3}
CLI=$BUILD/src/cli/ondrel-cli
WORKLOAD=$BUILD/bench/ondrel-bench-workload
COUNT_AT=$BUILD/bench/ondrel-bench-count-at
LOGS=$DATA/logs
export LC_ALL=C

die() {
  echo "bench: $*" >&2
  exit 1
}

# A command word quoted for the shell hyperfine runs commands in.
q() { printf '%q' "$1"; }

# `n` times the scale, at least 1.
scaled() { awk -v n="$1" -v s="$SCALE" 'BEGIN { v = int(n * s); print (v < 1 ? 1 : v) }'; }

build_tools() {
  local tool
  for tool in hyperfine rg /usr/bin/time cmake ninja; do
    command -v "$tool" >/dev/null || die "$tool is missing (scripts/install-deps.sh installs it)"
  done
  if [[ ! -f $BUILD/build.ninja ]] || ! grep -q '^ONDREL_BUILD_BENCH:BOOL=ON' "$BUILD/CMakeCache.txt"; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DONDREL_BUILD_GUI=OFF \
      -DONDREL_BUILD_TESTS=OFF -DONDREL_BUILD_BENCH=ON >"$LOGS/cmake.log" ||
      die "configuring failed, see $LOGS/cmake.log"
  fi
  ninja -C "$BUILD" -j2 ondrel-cli ondrel-bench-workload ondrel-bench-count-at >"$LOGS/build.log" ||
    die "building failed, see $LOGS/build.log"
}

# generate NAME TARGET ARGS...: makes the workload TARGET (a file or folder) with
# `ondrel-bench-workload ARGS...` unless it was already made with the same arguments.
generate() {
  local name=$1 target=$2
  shift 2
  local stamp=$DATA/$name.stamp
  if [[ -e $target && -f $stamp && $(<"$stamp") == "$*" ]]; then return; fi
  echo "generating $name ..."
  rm -rf "$target" "$stamp"
  "$WORKLOAD" "$@" || die "generating $name failed"
  echo "$*" >"$stamp"
}

# time_command NAME WARMUP RUNS PREPARE COMMAND: times COMMAND (a shell command line) with
# hyperfine; PREPARE (may be empty) runs before each run, untimed. The mean and standard
# deviation in seconds land in $DATA/NAME.time.
time_command() {
  local name=$1 warmup=$2 runs=$3 prepare=$4 command=$5
  local csv=$LOGS/$name.csv
  local prepare_option=()
  [[ -n $prepare ]] && prepare_option=(--prepare "$prepare")
  echo "timing $name ($runs runs) ..."
  hyperfine --style basic --warmup "$warmup" --runs "$runs" "${prepare_option[@]}" \
    --export-csv "$csv" -n "$name" "$command" >"$LOGS/$name.log" 2>&1 ||
    die "$name failed, see $LOGS/$name.log"
  awk -F, 'NR == 2 { print $2, $3 }' "$csv" >"$DATA/$name.time"
}

# time_interleaved RUNS PREPARE NAME COMMAND [NAME COMMAND]...: times the commands in turns,
# one untimed round, then RUNS rounds in which each command runs once, so that every one of
# them meets the same moments of a machine whose speed drifts (a virtual machine's does, by a
# third at times). PREPARE (may be empty) runs before each run, untimed. The mean and
# standard deviation in seconds land in $DATA/NAME.time, as with time_command.
time_interleaved() {
  local runs=$1 prepare=$2
  shift 2
  local names=() arguments=()
  while (($# >= 2)); do
    names+=("$1")
    arguments+=(-n "$1" "$2")
    shift 2
  done
  local prepare_option=()
  [[ -n $prepare ]] && prepare_option=(--prepare "$prepare")
  local samples=$LOGS/${names[0]}-rounds.txt round
  : >"$samples"
  echo "timing ${names[*]} ($runs interleaved rounds) ..."
  for ((round = 0; round <= runs; round++)); do
    hyperfine --style basic --runs 1 "${prepare_option[@]}" --export-csv "$LOGS/round.csv" \
      "${arguments[@]}" >"$LOGS/round.log" 2>&1 || die "timing failed, see $LOGS/round.log"
    ((round == 0)) && continue  # the untimed round fills the caches
    awk -F, 'NR > 1 { print $1, $2 }' "$LOGS/round.csv" >>"$samples"
  done
  local name
  for name in "${names[@]}"; do
    awk -v n="$name" '$1 == n { s += $2; ss += $2 * $2; c++ }
      END { m = s / c; v = ss / c - m * m; printf "%.6f %.6f\n", m, (v > 0 ? sqrt(v) : 0) }' \
      "$samples" >"$DATA/$name.time"
  done
}

mean_of() { cut -d' ' -f1 "$DATA/$1.time"; }

# peak_kib COMMAND...: runs the command once and prints its peak resident memory in KiB.
peak_kib() {
  local report=$LOGS/peak.txt
  /usr/bin/time -f %M -o "$report" "$@" >/dev/null 2>"$LOGS/peak.err" ||
    die "$* failed, see $LOGS/peak.err"
  tail -n 1 "$report"
}

file_bytes() { stat -c %s "$1"; }
line_count() { wc -l <"$1" | tr -d ' '; }
mib() { awk -v b="$1" 'BEGIN { printf "%.1f MiB", b / 1048576 }'; }

# --- the table ---------------------------------------------------------------------------

heading() { printf '\n%s\n' "$1" | tee -a "$DATA/results.txt"; }

row_time() {
  local name=$1 label=$2
  read -r mean stddev <"$DATA/$name.time"
  printf '  %-58s %8.3f s  ± %.3f\n' "$label" "$mean" "$stddev" | tee -a "$DATA/results.txt"
}

# row_ratio LABEL NUMERATOR DENOMINATOR [OP TARGET]: prints NUMERATOR/DENOMINATOR and, when
# a target is given, whether it meets `ratio OP TARGET` (OP is >= or <=).
row_ratio() {
  local label=$1 numerator=$2 denominator=$3 op=${4:-} target=${5:-}
  awk -v l="$label" -v a="$numerator" -v b="$denominator" -v op="$op" -v t="$target" 'BEGIN {
    r = a / b
    printf "  %-58s %8.2fx", l, r
    if (op != "") {
      ok = (op == ">=") ? (r >= t) : (r <= t)
      printf "    target %s %s: %s", op, t, ok ? "met" : "MISSED"
    }
    printf "\n"
  }' | tee -a "$DATA/results.txt"
}

row_text() { printf '  %s\n' "$1" | tee -a "$DATA/results.txt"; }

# row_memory LABEL KIB BUDGET_BYTES: the peak against a budget (0: no budget).
row_memory() {
  local label=$1 kib=$2 budget=$3
  awk -v l="$label" -v k="$kib" -v b="$budget" 'BEGIN {
    printf "  %-58s %8.1f MiB", l, k / 1024
    if (b > 0) printf "  budget %.1f MiB: %s", b / 1048576, (k * 1024 <= b) ? "met" : "MISSED"
    printf "\n"
  }' | tee -a "$DATA/results.txt"
}
