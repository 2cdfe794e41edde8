# Subtraction benchmark: ondrel-cli subtract against awk's hash array and grep -vxFf, the
# results compared byte for byte, and the peak memory against its budget; then an exclusion
# list as long as the base list under an address-space limit that cannot hold it.
# Sourced by run.sh after lib.sh.

run_subtract() {
  local folder=$DATA/subtract
  local base=$folder/base.txt exclusion=$folder/exclusion.txt
  if [[ ! -d $folder ]]; then mkdir -p "$folder"; rm -f "$DATA/subtraction.stamp"; fi
  generate subtraction "$base" subtraction "$base" "$(scaled 5000000)" "$exclusion" "$(scaled 1000000)"
  time_command subtract-ondrel 1 "$RUNS" "" "$(q "$CLI") subtract $(q "$base") $(q "$exclusion") > /dev/null"
  time_command subtract-awk 1 "$RUNS" "" \
    "awk 'NR==FNR{a[\$0];next} !(\$0 in a)' $(q "$exclusion") $(q "$base") > $(q "$DATA/subtract-awk.txt")"
  # The slowest by far: one timed run, after the others have warmed the cache.
  time_command subtract-grep 0 1 "" \
    "grep -vxFf $(q "$exclusion") $(q "$base") > $(q "$DATA/subtract-grep.txt")"

  local bytes lines
  bytes=$(file_bytes "$exclusion")
  lines=$(line_count "$exclusion")
  heading "Subtraction: $lines lines from $(line_count "$base") lines ($(mib "$(file_bytes "$base")"))"
  row_time subtract-ondrel "ondrel-cli subtract"
  row_time subtract-awk "awk 'NR==FNR{a[\$0];next} !(\$0 in a)' ($(readlink -f "$(command -v awk)" | xargs basename))"
  row_time subtract-grep "LC_ALL=C grep -vxFf"
  row_ratio "awk time / ondrel-cli time" "$(mean_of subtract-awk)" "$(mean_of subtract-ondrel)" ">=" 4
  row_ratio "grep -vxFf time / ondrel-cli time" "$(mean_of subtract-grep)" "$(mean_of subtract-ondrel)"
  row_memory "peak memory of ondrel-cli subtract (exclusion + 48 B a line)" \
    "$(peak_kib "$CLI" subtract "$base" "$exclusion")" $((bytes + 48 * lines))
  if cmp -s "$folder/MailNew.txt" "$DATA/subtract-awk.txt" &&
    cmp -s "$folder/MailNew.txt" "$DATA/subtract-grep.txt"; then
    row_text "result: $(line_count "$folder/MailNew.txt") lines, byte for byte the same as awk's and grep's"
  else
    row_text "result: DIFFERS from awk's or grep's"
  fi

  run_subtract_limited
}

# 5 million lines less 5 million: unlimited, and under an address-space limit that holds
# neither list's set, which takes the way through buckets on disk.
run_subtract_limited() {
  local folder=$DATA/subtract-5m
  local base=$folder/base.txt exclusion=$folder/exclusion.txt unlimited=$DATA/subtract-unlimited.txt
  local limit="ulimit -v 150000"
  if [[ ! -d $folder ]]; then mkdir -p "$folder"; rm -f "$DATA/subtraction-5m.stamp"; fi
  generate subtraction-5m "$base" subtraction "$base" "$(scaled 5000000)" "$exclusion" "$(scaled 5000000)"
  time_interleaved "$RUNS" "" \
    subtract-ondrel-unlimited "$(q "$CLI") subtract $(q "$base") $(q "$exclusion") > /dev/null" \
    subtract-ondrel-limited "$limit; $(q "$CLI") subtract $(q "$base") $(q "$exclusion") > /dev/null"

  heading "Subtraction beyond the memory: $(line_count "$exclusion") lines from $(line_count "$base") lines ($(mib "$(file_bytes "$exclusion")") from $(mib "$(file_bytes "$base")"))"
  row_time subtract-ondrel-unlimited "ondrel-cli subtract"
  row_time subtract-ondrel-limited "ondrel-cli subtract under $limit"
  row_ratio "limited time / unlimited time" "$(mean_of subtract-ondrel-limited)" "$(mean_of subtract-ondrel-unlimited)"
  row_memory "peak memory of ondrel-cli subtract" "$(peak_kib "$CLI" subtract "$base" "$exclusion")" 0
  cp "$folder/MailNew.txt" "$unlimited"
  row_memory "peak memory of ondrel-cli subtract under $limit" \
    "$(peak_kib bash -c "$limit; $(q "$CLI") subtract $(q "$base") $(q "$exclusion")")" $((150000 << 10))
  if cmp -s "$folder/MailNew.txt" "$unlimited"; then
    row_text "result: $(line_count "$unlimited") lines, byte for byte the same under the limit"
  else
    row_text "result: DIFFERS under the limit"
  fi
}
