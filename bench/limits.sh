#!/usr/bin/env bash
# Measures ondrel-cli at the limits an extraction meets: time and peak memory on a folder of
# 100,000 files, trees of 100,000 and 1,000,000 files (the walk must stay linear), chains of
# 99 and 100 levels, paths longer than the system allows, names holding every byte, and a
# 2 GiB file without a line end; and lists larger than the memory: time, peak memory and
# temporary space of dedupe from 0.25 to 2 GB under the address space of a 32-bit program and
# with 64 MiB, and a list of more than 2^31 lines. Not part of the test suite: it needs about
# 7 GiB of disk and several GiB of memory for the extraction limits, 14 GiB of disk for the
# lists, and some minutes for each.
#   bench/limits.sh [all|extraction|lists]      (default: all)
# Environment as for bench/run.sh (ONDREL_BENCH_DIR, ONDREL_BENCH_BUILD).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

what=${1:-all}
case $what in
  all | extraction | lists) ;;
  *)
    echo "usage: bench/limits.sh [all|extraction|lists]" >&2
    exit 2
    ;;
esac

mkdir -p "$DATA" "$LOGS"
: >"$DATA/limits.txt"
build_tools
LIMITS=$DATA/limits
mkdir -p "$LIMITS"

# The table of this script, in limits.txt beside the benchmarks' results.
limits_heading() { printf '\n%s\n' "$1" | tee -a "$DATA/limits.txt"; }
limits_row() { printf '  %s\n' "$1" | tee -a "$DATA/limits.txt"; }

# measure LABEL EXPECTED_STATUS ARGS...: runs `ondrel-cli ARGS...` once and prints its time,
# peak memory, exit status and the first line of its output or error.
measure() {
  local label=$1 expected=$2
  shift 2
  local report=$LOGS/limits-time.txt out=$LOGS/limits-out.txt err=$LOGS/limits-err.txt status=0
  /usr/bin/time -f '%e %M' -o "$report" "$CLI" "$@" >"$out" 2>"$err" || status=$?
  read -r seconds kib < <(tail -n 1 "$report")
  local said
  said=$(cat "$out" "$err" | tr '\n' ' ' | cut -c1-110)
  printf '  %-52s %8.2f s %9.1f MiB  exit %s%s\n      %s\n' "$label" "$seconds" \
    "$(awk -v k="$kib" 'BEGIN { print k / 1024 }')" "$status" \
    "$([[ $status == "$expected" ]] || echo " (expected $expected)")" "$said" |
    tee -a "$DATA/limits.txt"
}

extraction_limits() {
  mail=$LIMITS/mail
  mkdir -p "$mail"

  limits_heading "Walk: the time per file stays the same as the tree grows ten times"
  generate limits-flat "$LIMITS/flat" walk "$LIMITS/flat" 1 100000
  generate limits-tree-100k "$LIMITS/tree-100k" walk "$LIMITS/tree-100k" 100 100000
  generate limits-tree-1m "$LIMITS/tree-1m" walk "$LIMITS/tree-1m" 1000 1000000
  for tree in flat tree-100k tree-1m; do
    measure "$tree, --kind store (the walk alone)" 0 extract --kind store "$LIMITS/$tree" "$mail"
    measure "$tree, --kind text (every file read)" 0 extract --kind text "$LIMITS/$tree" "$mail"
  done

  limits_heading "Depth: 99 levels are walked whole, the 100th fails the run after its files"
  generate limits-chain-99 "$LIMITS/chain-99" chain "$LIMITS/chain-99" 99
  generate limits-chain-100 "$LIMITS/chain-100" chain "$LIMITS/chain-100" 100
  measure "chain of 99 levels" 0 extract --kind text "$LIMITS/chain-99" "$mail"
  measure "chain of 100 levels" 1 extract --kind text "$LIMITS/chain-100" "$mail"

  limits_heading "Paths past the system limit: those folders are skipped, the run goes on"
  generate limits-long-paths "$LIMITS/long-paths" long-paths "$LIMITS/long-paths" 40 250
  measure "40 levels of 250-byte names (limit $(getconf PATH_MAX /) bytes)" 0 extract --kind text \
    "$LIMITS/long-paths" "$mail"

  limits_heading "Names holding every byte but 0 and /"
  generate limits-byte-names "$LIMITS/byte-names" byte-names "$LIMITS/byte-names"
  measure "254 files in a folder named with every byte" 0 extract --kind text \
    "$LIMITS/byte-names" "$mail"

  limits_heading "2 GiB without a line end"
  mkdir -p "$LIMITS/long-line" "$LIMITS/long-line-at"
  generate limits-long-line "$LIMITS/long-line/x.txt" long-line "$LIMITS/long-line/x.txt" 2147483648
  generate limits-long-line-at "$LIMITS/long-line-at/x.txt" long-line \
    "$LIMITS/long-line-at/x.txt" 2147483648 at

  # measure_named FOLDER EXTENSION LABEL EXPECTED_STATUS ARGS...: `measure` with the folder's
  # x.txt named x.EXTENSION meanwhile, for the kind that reads such files.
  measure_named() {
    local folder=$1 extension=$2
    shift 2
    mv "$folder/x.txt" "$folder/x.$extension"
    measure "$@"
    mv "$folder/x.$extension" "$folder/x.txt"
  }

  seconds_of() {
    /usr/bin/time -f '%e' -o "$LOGS/limits-time.txt" "$@" >/dev/null 2>&1
    tail -n 1 "$LOGS/limits-time.txt"
  }
  limits_row "reading the 2 GiB with cat (the pace of the disk or cache): $(seconds_of cat "$LIMITS/long-line/x.txt") s"

  measure "one line, no \"@\", --kind text" 0 extract --kind text "$LIMITS/long-line" "$mail"
  mkdir -p "$LIMITS/tmp"
  Tmp=$LIMITS/tmp measure_named "$LIMITS/long-line" dbx "the same as a store file, through its copy" 0 \
    extract --kind store "$LIMITS/long-line" "$mail"
  rm -rf "$LIMITS/tmp"
  measure_named "$LIMITS/long-line-at" htm "one line, one \"@\" in it, --kind web" 0 \
    extract --kind web "$LIMITS/long-line-at" "$mail"
  measure "one line, one \"@\": a 2 GiB address, --kind text" 0 extract --kind text \
    "$LIMITS/long-line-at" "$mail"
  measure "dedupe of that 2 GiB MailOut.txt" 0 dedupe "$mail/MailOut.txt"
  measure "subtract: that list from itself (as a copy)" 0 subtract "$mail/MailOut.txt" \
    "$LIMITS/long-line-at/x.txt"
  rm -f "$mail/MailOut.txt" "$mail/MailNew.txt"

}

# measure_list LABEL LIMIT LIST ARGS...: runs `ondrel-cli ARGS... COPY` once, on a fresh copy
# of LIST beside it, under `ulimit -v LIMIT` (none for an empty LIMIT), and prints its time
# and peak memory (from /usr/bin/time -v), the most bytes its temporary files took at once
# (sampled every tenth of a second), its exit status and what it printed.
measure_list() {
  local label=$1 limit=$2 list=$3
  shift 3
  local copy=${list%.txt}-work.txt report=$LOGS/limits-time.txt out=$LOGS/limits-out.txt
  local folder
  folder=$(dirname "$list")
  cp "$list" "$copy"
  sync
  bash -c "${limit:+ulimit -v $limit; }exec /usr/bin/time -v -o $(q "$report") $(q "$CLI") \"\$@\"" \
    ondrel-cli "$@" "$copy" >"$out" 2>&1 &
  local pid=$! temporary=0 now status=0
  while kill -0 "$pid" 2>/dev/null; do
    now=$(find "$folder" -maxdepth 1 -name '.ondrel-*' -printf '%s\n' 2>/dev/null |
      awk '{ s += $1 } END { printf "%.0f\n", s }')
    ((now > temporary)) && temporary=$now
    sleep 0.1
  done
  wait "$pid" || status=$?
  local seconds kib
  seconds=$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0
    for (i = 1; i <= n; i++) s = s * 60 + t[i]; print s }' "$report")
  kib=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$report")
  printf '  %-52s %8.2f s %9.1f MiB  temporary %8.1f MiB  exit %s\n      %s\n' "$label" \
    "$seconds" "$(awk -v k="$kib" 'BEGIN { print k / 1024 }')" \
    "$(awk -v b="$temporary" 'BEGIN { print b / 1048576 }')" "$status" \
    "$(tr '\n' ' ' <"$out" | cut -c1-110)" | tee -a "$DATA/limits.txt"
  rm -f "$copy"
}

list_limits() {
  local lists=$LIMITS/lists limit=1500000 size lines
  mkdir -p "$lists"
  limits_heading "Lists beyond the memory: dedupe from 0.25 to 2 GB (the 10M-line list is 0.26 GB)"
  limits_row "under ulimit -v $limit (a 32-bit program's address space: lists from about 1 GB on"
  limits_row "do not fit it), and with --memory 64M; times should grow in proportion once past it"
  for size in 0.25 0.5 1 2.15; do
    lines=$(awk -v s="$size" 'BEGIN { printf "%d", s * 1e9 / 26.28 }')
    generate "limits-list-$size" "$lists/list-$size.txt" duplicates "$lists/list-$size.txt" "$lines"
    measure_list "$size GB ($lines lines), ulimit -v $limit" "$limit" "$lists/list-$size.txt" dedupe
    measure_list "$size GB ($lines lines), --memory 64M" "" "$lists/list-$size.txt" dedupe \
      --memory 64M
  done
  cp "$lists/list-2.15.txt" "$lists/sort-work.txt"
  limits_row "sort -u -S 1000M of the 2.15 GB list under ulimit -v $limit: $(
    bash -c "ulimit -v $limit; /usr/bin/time -f '%e s, %M KiB' sort -u -S 1000M \
      -o $(q "$lists/sort-out.txt") $(q "$lists/sort-work.txt")" 2>&1 | tail -n 1)"
  rm -f "$lists/sort-work.txt" "$lists/sort-out.txt"

  limits_heading "More than 2^31 lines: 2,200,000,000 empty lines, one left"
  head -c 2200000000 /dev/zero | tr '\0' '\n' >"$lists/empty-lines.txt"
  measure_list "2.2 GB of line ends, ulimit -v $limit" "$limit" "$lists/empty-lines.txt" dedupe
  rm -rf "$lists"
  rm -f "$DATA"/limits-list-*.stamp
}

[[ $what == extraction || $what == all ]] && extraction_limits
[[ $what == lists || $what == all ]] && list_limits

echo
echo "table saved in $DATA/limits.txt"
