# Subtraction benchmark: ondrel-cli subtract against awk's hash array and grep -vxFf, the
# results compared byte for byte, and the peak memory against its budget; then the same
# exclusions as MD5 digests (made by ondrel-cli hash), timed in turns with the plain
# subtraction, whose time and memory bound the digest subtraction's; then an exclusion list
# as long as the base list under an address-space limit that cannot hold it.
# Sourced by run.sh after lib.sh.

run_subtract() {
  local folder=$DATA/subtract
  local base=$folder/base.txt exclusion=$folder/exclusion.txt
  local hashed=$folder/hashed digests=$folder/exclusion-md5.txt
  if [[ ! -d $folder ]]; then mkdir -p "$folder"; rm -f "$DATA/subtraction.stamp"; fi
  generate subtraction "$base" subtraction "$base" "$(scaled 5000000)" "$exclusion" "$(scaled 1000000)"
  # The digest subtraction writes its MailNew.txt beside its own name of the base list.
  mkdir -p "$hashed"
  ln -f "$base" "$hashed/base.txt"
  time_command hash-ondrel 1 "$RUNS" "" \
    "$(q "$CLI") hash --md5 $(q "$exclusion") $(q "$digests") > /dev/null"
  time_interleaved "$RUNS" "" \
    subtract-ondrel "$(q "$CLI") subtract $(q "$base") $(q "$exclusion") > /dev/null" \
    subtract-md5 "$(q "$CLI") subtract --hashed md5 $(q "$hashed/base.txt") $(q "$digests") > /dev/null"
  time_command subtract-awk 1 "$RUNS" "" \
    "awk 'NR==FNR{a[\$0];next} !(\$0 in a)' $(q "$exclusion") $(q "$base") > $(q "$DATA/subtract-awk.txt")"
  # The slowest by far: one timed run, after the others have warmed the cache.
  time_command subtract-grep 0 1 "" \
    "grep -vxFf $(q "$exclusion") $(q "$base") > $(q "$DATA/subtract-grep.txt")"

  local bytes lines plain_kib
  bytes=$(file_bytes "$exclusion")
  lines=$(line_count "$exclusion")
  heading "Subtraction: $lines lines from $(line_count "$base") lines ($(mib "$(file_bytes "$base")"))"
  row_time subtract-ondrel "ondrel-cli subtract"
  row_time subtract-awk "awk 'NR==FNR{a[\$0];next} !(\$0 in a)' ($(readlink -f "$(command -v awk)" | xargs basename))"
  row_time subtract-grep "LC_ALL=C grep -vxFf"
  row_ratio "awk time / ondrel-cli time" "$(mean_of subtract-awk)" "$(mean_of subtract-ondrel)" ">=" 4
  row_ratio "grep -vxFf time / ondrel-cli time" "$(mean_of subtract-grep)" "$(mean_of subtract-ondrel)"
  plain_kib=$(peak_kib "$CLI" subtract "$base" "$exclusion")
  row_memory "peak memory of ondrel-cli subtract (exclusion + 48 B a line)" \
    "$plain_kib" $((bytes + 48 * lines))
  if cmp -s "$folder/MailNew.txt" "$DATA/subtract-awk.txt" &&
    cmp -s "$folder/MailNew.txt" "$DATA/subtract-grep.txt"; then
    row_text "result: $(line_count "$folder/MailNew.txt") lines, byte for byte the same as awk's and grep's"
  else
    row_text "result: DIFFERS from awk's or grep's"
  fi

  heading "Digest subtraction: the same $lines exclusions as MD5 digests ($(mib "$(file_bytes "$digests")"))"
  row_time hash-ondrel "ondrel-cli hash --md5 (the exclusion list's digests)"
  row_time subtract-md5 "ondrel-cli subtract --hashed md5"
  row_time subtract-ondrel "ondrel-cli subtract, in turns with it"
  row_ratio "--hashed md5 time / plain time" "$(mean_of subtract-md5)" "$(mean_of subtract-ondrel)" "<=" 3
  row_memory "peak memory of ondrel-cli subtract --hashed md5 (plain's peak)" \
    "$(peak_kib "$CLI" subtract --hashed md5 "$hashed/base.txt" "$digests")" $((plain_kib * 1024))
  if cmp -s "$folder/MailNew.txt" "$hashed/MailNew.txt"; then
    row_text "result: byte for byte the MailNew.txt of the plain subtraction"
  else
    row_text "result: DIFFERS from the plain subtraction's"
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
