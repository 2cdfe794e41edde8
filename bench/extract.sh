# Extraction benchmarks: text files and web pages against ripgrep on all cores and on one
# thread and against the memchr pass, the walk alone against find, and the peak memory of an
# extraction, with and without --sources.
# Sourced by run.sh after lib.sh.

# Every timed run starts with no pending writes: otherwise one command's output, still being
# written back, slows the next command's writes and its flush to disk.
readonly SETTLE=sync

# bench_extraction NAME KIND TREE PATTERN RG_OPTIONS: one kind over one tree. ondrel-cli runs
# with its default (one thread per core) and with --jobs 1 and 2; ripgrep on all cores and on
# one thread.
bench_extraction() {
  local name=$1 kind=$2 tree=$3 pattern=$4 rg_options=$5
  local mail=$DATA/mail-$name summary=$DATA/$name-summary.txt
  local extract="$(q "$CLI") extract --kind $kind"
  local rg="rg -o --no-filename --no-line-number --no-ignore --hidden${rg_options:+ $rg_options}"
  mkdir -p "$mail"
  # --no-ignore --hidden: the trees may lie in a git-ignored folder, which ripgrep would skip.
  time_interleaved "$RUNS" "$SETTLE" \
    "$name-ondrel" "$extract $(q "$tree") $(q "$mail") > $(q "$summary")" \
    "$name-ondrel-j1" "$extract --jobs 1 $(q "$tree") $(q "$mail") > /dev/null" \
    "$name-ondrel-j2" "$extract --jobs 2 $(q "$tree") $(q "$mail") > /dev/null" \
    "$name-ondrel-sources" "$extract --sources $(q "$DATA/$name-sources.csv") $(q "$tree") $(q "$mail") > /dev/null" \
    "$name-rg" "$rg $(q "$pattern") $(q "$tree") > $(q "$DATA/$name-rg.txt")" \
    "$name-rg-j1" "$rg -j1 $(q "$pattern") $(q "$tree") > /dev/null" \
    "$name-memchr" "$(q "$COUNT_AT") $(q "$tree") > $(q "$DATA/$name-at.txt")"

  local found
  found=$(sed -n 's/^Trovati: \([0-9]*\) .*/\1/p' "$summary")
  heading "Extraction, --kind $kind: $(du -sh --apparent-size "$tree" | cut -f1)B in $(find "$tree" -type f | wc -l) files"
  row_time "$name-ondrel" "ondrel-cli extract --kind $kind (default: $(nproc) jobs)"
  row_time "$name-ondrel-j2" "ondrel-cli extract --kind $kind --jobs 2"
  row_time "$name-ondrel-j1" "ondrel-cli extract --kind $kind --jobs 1"
  row_time "$name-ondrel-sources" "ondrel-cli extract --kind $kind --sources FILE"
  row_time "$name-rg" "rg -o${rg_options:+ $rg_options} '$pattern' (all cores)"
  row_time "$name-rg-j1" "rg -o -j1${rg_options:+ $rg_options} '$pattern'"
  row_time "$name-memchr" "memchr pass (one thread, counts \"@\")"
  row_ratio "ondrel-cli time / rg time, both on all cores" "$(mean_of "$name-ondrel")" "$(mean_of "$name-rg")" "<=" 0.8
  row_ratio "ondrel-cli --jobs 1 time / default time" "$(mean_of "$name-ondrel-j1")" "$(mean_of "$name-ondrel")"
  row_ratio "rg -j1 time / ondrel-cli --jobs 1 time" "$(mean_of "$name-rg-j1")" "$(mean_of "$name-ondrel-j1")" ">=" 1.5
  row_ratio "ondrel-cli --jobs 1 time / memchr pass time" "$(mean_of "$name-ondrel-j1")" "$(mean_of "$name-memchr")" "<=" 3
  row_memory "peak memory of ondrel-cli extract (dedupe of MailOut incl.)" \
    "$(peak_kib "$CLI" extract --kind "$kind" "$tree" "$mail")" 0
  row_memory "peak memory of ondrel-cli extract --jobs 1" \
    "$(peak_kib "$CLI" extract --kind "$kind" --jobs 1 "$tree" "$mail")" 0
  row_memory "peak memory of ondrel-cli extract --sources" \
    "$(peak_kib "$CLI" extract --kind "$kind" --sources "$DATA/$name-sources.csv" "$tree" "$mail")" 0
  row_text "--sources: $(($(line_count "$DATA/$name-sources.csv") - 1)) rows (distinct pairs of address and file), $(mib "$(file_bytes "$DATA/$name-sources.csv")")"
  row_text "addresses found: ondrel-cli ${found:-?}, rg matches $(line_count "$DATA/$name-rg.txt"), \"@\" bytes $(cat "$DATA/$name-at.txt")"
}

bench_walk() {
  local tree=$DATA/walk-tree mail=$DATA/mail-walk
  mkdir -p "$mail"
  # --kind store selects none of the .txt files: the walk alone.
  time_command walk-ondrel 1 "$RUNS" "" "$(q "$CLI") extract --kind store $(q "$tree") $(q "$mail") > /dev/null"
  time_command walk-find 1 "$RUNS" "" "find $(q "$tree") -type f > $(q "$DATA/walk-find.txt")"
  time_command walk-ondrel-read 1 "$RUNS" "" "$(q "$CLI") extract --kind text $(q "$tree") $(q "$mail") > /dev/null"
  time_command walk-memchr 1 "$RUNS" "" "$(q "$COUNT_AT") $(q "$tree") > /dev/null"
  heading "Walk: $(find "$tree" -type d | wc -l) folders, $(line_count "$DATA/walk-find.txt") tiny files"
  row_time walk-ondrel "ondrel-cli extract --kind store (selects nothing)"
  row_time walk-find "find DIR -type f"
  row_time walk-ondrel-read "ondrel-cli extract --kind text (reads every file)"
  row_time walk-memchr "memchr pass (reads every file)"
  row_ratio "ondrel-cli walk time / find time" "$(mean_of walk-ondrel)" "$(mean_of walk-find)" "<=" 1
}

run_extract() {
  generate text-tree "$DATA/text-tree" text "$DATA/text-tree" "$(scaled 1073741824)" "$(scaled 2000)"
  generate web-tree "$DATA/web-tree" web "$DATA/web-tree" "$(scaled 209715200)" "$(scaled 2000)"
  generate walk-tree "$DATA/walk-tree" walk "$DATA/walk-tree" "$(scaled 5000)" "$(scaled 100000)"
  bench_extraction text text "$DATA/text-tree" '[^ ]*@[^ ]*' ""
  bench_extraction web web "$DATA/web-tree" 'mailto:[^"> ]*' "-i"
  bench_walk
}
