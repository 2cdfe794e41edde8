# Duplicate elimination benchmark: ondrel-cli dedupe against GNU sort -u on one thread and
# on all cores, the results compared byte for byte, and the peak memory against its budget.
# Sourced by run.sh after lib.sh.

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

  local bytes lines
  bytes=$(file_bytes "$list")
  lines=$(line_count "$list")
  heading "Duplicate elimination: $lines lines, $(mib "$bytes"), $(sort -u "$list" | wc -l) distinct"
  row_time dedupe-ondrel "ondrel-cli dedupe"
  row_time dedupe-sort-1 "LC_ALL=C sort -u --parallel=1"
  row_time dedupe-sort "LC_ALL=C sort -u ($(nproc) cores)"
  row_ratio "sort -u --parallel=1 time / ondrel-cli time" "$(mean_of dedupe-sort-1)" "$(mean_of dedupe-ondrel)" ">=" 2
  row_ratio "sort -u time / ondrel-cli time" "$(mean_of dedupe-sort)" "$(mean_of dedupe-ondrel)"
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
}
