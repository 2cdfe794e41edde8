#!/usr/bin/env bash
# Measures ondrel-cli at the limits an extraction meets: time and peak memory on a folder of
# 100,000 files, trees of 100,000 and 1,000,000 files (the walk must stay linear), chains of
# 99 and 100 levels, paths longer than the system allows, names holding every byte, and a
# 2 GiB file without a line end. Not part of the test suite: it needs about 7 GiB of disk,
# several GiB of memory and some minutes.
#   bench/limits.sh
# Environment as for bench/run.sh (ONDREL_BENCH_DIR, ONDREL_BENCH_BUILD).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

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

echo
echo "table saved in $DATA/limits.txt"
