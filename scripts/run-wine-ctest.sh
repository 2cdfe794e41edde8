#!/usr/bin/env bash
# Runs the CTest suite of a Windows build folder under Wine, as set up by build-windows.sh:
#   scripts/run-wine-ctest.sh BUILD_DIR
# Now and then Wine cannot start a program at all; a test that failed so, and only such a
# test, is run once more. Any other failure stands.
set -euo pipefail
cd "$1"
jobs=$(nproc)

# What Wine prints when it could not start a program.
start_failure='Application could not be started|^wine: (could not|failed to) |wine client error'
start_failure+='|could not exec wineserver|wine server never started|I cannot connect to it'

ctest --output-on-failure -j "$jobs" && exit 0

failed_list=Testing/Temporary/LastTestsFailed.log
[[ -f $failed_list ]] || exit 1
failed=$(sed 's/^[0-9]*://' "$failed_list" | sort -u)
# The failed tests whose output holds Wine's words.
unstarted=$(awk -v failure="$start_failure" '
  /^[0-9]+\/[0-9]+ Test: / { name = $0; sub(/^[0-9]+\/[0-9]+ Test: /, "", name) }
  $0 ~ failure { print name }' Testing/Temporary/LastTest.log | sort -u |
  comm -12 - <(echo "$failed"))
others=$(comm -23 <(echo "$failed") <(echo "$unstarted"))
if [[ -n $others ]]; then
  printf 'run-wine-ctest: failed:\n%s\n' "$others" >&2
  exit 1
fi

printf 'run-wine-ctest: Wine could not start these tests; they run once more:\n%s\n' "$unstarted"
names=$(sed 's/[][\\.^$*+?(){}|]/\\&/g' <<<"$unstarted" | paste -s -d '|')
ctest --output-on-failure -j "$jobs" -R "^($names)\$"
