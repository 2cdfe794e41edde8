# Duplicate elimination benchmark: ondrel-cli dedupe against GNU sort -u on one thread and
# on all cores, in memory and with the same memory budget beyond it (--memory against -S, and
# under an address-space limit), the results compared byte for byte, and the peak memory
# against its budget. Sourced by run.sh after lib.sh.

run_dedupe() {
  local list=$DATA/duplicates.txt work=$DATA/dedupe-work.txt sorted=$DATA/dedupe-sorted.txt
  generate duplicates "$list" duplicates "$list" "$(scaled 10000000)"
  # dedupe works in place: every run starts from a fresh copy, written back to disk so that
  # its write-back does not fall into the timed run.
  local copy="cp $(q "$list") $(q "$work") && sync"
  time_command dedupe-ondrel 1 "$RUNS" "$copy" "$(q "$CLI") dedupe $(q "$work") > /dev/null"
  time_command dedupe-sort-1 1 "$RUNS" "$copy" \
    "sort -u --parallel=1 -o $(q "$sorted") $(q "$work")"
  time_command dedupe-sort 1 "$RUNS" "$copy" "sort -u -o $(q "$sorted") $(q "$work")"
  # Beyond the memory: the same budget for both, in turns.
  time_interleaved "$RUNS" "$copy" \
    dedupe-ondrel-64m "$(q "$CLI") dedupe --memory 64M $(q "$work") > /dev/null" \
    dedupe-sort-64m "sort -u -S 64M -o $(q "$sorted") $(q "$work")"
  # The address space of a small machine: ondrel-cli takes its budget from the limit, sort
  # is given 100 MiB.
  local limit="ulimit -v 250000"
  time_interleaved "$RUNS" "$copy" \
    dedupe-ondrel-limited "$limit; $(q "$CLI") dedupe $(q "$work") > /dev/null" \
    dedupe-sort-limited "$limit; sort -u -S 100M -o $(q "$sorted") $(q "$work")"

  local bytes lines
  bytes=$(file_bytes "$list")
  lines=$(line_count "$list")
  heading "Duplicate elimination: $lines lines, $(mib "$bytes"), $(sort -u "$list" | wc -l) distinct"
  row_time dedupe-ondrel "ondrel-cli dedupe"
  row_time dedupe-sort-1 "LC_ALL=C sort -u --parallel=1"
  row_time dedupe-sort "LC_ALL=C sort -u ($(nproc) cores)"
  row_ratio "sort -u --parallel=1 time / ondrel-cli time" "$(mean_of dedupe-sort-1)" "$(mean_of dedupe-ondrel)" ">=" 2
  row_ratio "sort -u time / ondrel-cli time" "$(mean_of dedupe-sort)" "$(mean_of dedupe-ondrel)"
  row_time dedupe-ondrel-64m "ondrel-cli dedupe --memory 64M"
  row_time dedupe-sort-64m "LC_ALL=C sort -u -S 64M ($(nproc) cores)"
  row_ratio "ondrel-cli --memory 64M time / sort -u -S 64M time" "$(mean_of dedupe-ondrel-64m)" "$(mean_of dedupe-sort-64m)" "<=" 0.7
  row_time dedupe-ondrel-limited "ondrel-cli dedupe under $limit"
  row_time dedupe-sort-limited "LC_ALL=C sort -u -S 100M under $limit"
  row_ratio "ondrel-cli time / sort -u -S 100M time, both limited" "$(mean_of dedupe-ondrel-limited)" "$(mean_of dedupe-sort-limited)" "<=" 1
  cp "$list" "$work"
  row_memory "peak memory of ondrel-cli dedupe (file + 24 B a line)" \
    "$(peak_kib "$CLI" dedupe "$work")" $((bytes + 24 * lines))
  row_memory "peak memory of sort -u --parallel=1" \
    "$(peak_kib sort -u --parallel=1 -o "$sorted" "$list")" 0
  if cmp -s "$work" "$sorted"; then
    row_text "result: byte for byte the same as sort -u's"
  else
    row_text "result: DIFFERS from sort -u's"
  fi
  # The program itself (code, libraries, buffers of a few MiB) beside the budget.
  cp "$list" "$work"
  row_memory "peak memory of ondrel-cli dedupe --memory 64M (64 MiB + 8 MiB)" \
    "$(peak_kib "$CLI" dedupe --memory 64M "$work")" $(((64 + 8) << 20))
  row_memory "peak memory of sort -u -S 64M" \
    "$(peak_kib sort -u -S 64M -o "$sorted" "$list")" 0
  cp "$list" "$work"
  row_memory "peak memory of ondrel-cli dedupe under $limit" \
    "$(peak_kib bash -c "$limit; $(q "$CLI") dedupe $(q "$work")")" $((250000 << 10))
  local same=yes
  cmp -s "$work" "$sorted" || same=no
  cp "$list" "$work"
  "$CLI" dedupe --memory 64M "$work" >/dev/null
  cmp -s "$work" "$sorted" || same=no
  if [[ $same == yes ]]; then
    row_text "results beyond the memory: byte for byte the same as sort -u's"
  else
    row_text "results beyond the memory: DIFFER from sort -u's"
  fi
}
