# Subtraction benchmark: ondrel-cli subtract against awk's hash array and grep -vxFf, the
# results compared byte for byte, and the peak memory against its budget.
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
}
