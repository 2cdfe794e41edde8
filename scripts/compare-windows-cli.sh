#!/bin/sh
# Runs ondrel-cli.exe under Wine and the Linux ondrel-cli on examples/, for every kind, and
# requires the same MailOut.txt byte for byte, the same closing lines and the same exit status.
# Usage: scripts/compare-windows-cli.sh WINDOWS_BUILD_DIR LINUX_CLI OUT_DIR
# (WINE names the Wine loader, default wine).
set -eu
build=$(cd "$1" && pwd)
cli=$2
out=$3
loader=${WINE:-wine}
examples=$(cd "$(dirname "$0")/../examples" && pwd)
windows_path() { echo "Z:$1" | tr / '\\'; }
for kind in web text store; do
  rm -rf "$out/$kind" && mkdir -p "$out/$kind/windows" "$out/$kind/linux"
  linux_status=0 windows_status=0
  "$cli" extract --kind "$kind" --jobs 1 "$examples" "$out/$kind/linux" \
    >"$out/$kind/linux.txt" || linux_status=$?
  "$loader" "$build/src/cli/ondrel-cli.exe" extract --kind "$kind" --jobs 1 \
    "$(windows_path "$examples")" "$(windows_path "$out/$kind/windows")" \
    >"$out/$kind/windows.txt" || windows_status=$?
  if [ "$linux_status" != "$windows_status" ]; then
    echo "compare-windows-cli: --kind $kind: exit status $windows_status on Windows," \
      "$linux_status on Linux" >&2
    exit 1
  fi
  cmp "$out/$kind/linux/MailOut.txt" "$out/$kind/windows/MailOut.txt"
  tr -d '\r' <"$out/$kind/windows.txt" | cmp - "$out/$kind/linux.txt"
  echo "compare-windows-cli: --kind $kind: $(wc -l <"$out/$kind/linux/MailOut.txt") addresses," \
    "the same on Windows as on Linux"
done
