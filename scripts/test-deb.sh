#!/usr/bin/env bash
# Installs a Debian package of Ondrel with apt-get, checks that both programs, their manual
# pages and help pages are in place and that ondrel-cli runs from the PATH, then removes
# the package and checks that none of its files is left. Needs root (as CI runs).
# Usage: scripts/test-deb.sh PACKAGE.deb
set -euo pipefail
package=$(realpath "$1")
export DEBIAN_FRONTEND=noninteractive

fail() {
  echo "test-deb: $*" >&2
  exit 1
}

dpkg-deb --field "$package" Depends | grep -q qt6-translations-l10n ||
  fail "the package does not depend on qt6-translations-l10n"
apt-get install -y -q --no-install-recommends -o DPkg::Lock::Timeout=300 "$package" </dev/null >/dev/null
mapfile -t files < <(dpkg -L ondrel | while read -r path; do [[ -f $path ]] && echo "$path"; done)

version=$(cd / && env PATH=/usr/bin:/bin ondrel-cli --version)
[[ $version == "ondrel-cli "* ]] || fail "ondrel-cli --version printed: $version"
# The digests come from libcrypto, which the package must have brought along.
dpkg-deb --field "$package" Depends | grep -q libssl || fail "the package does not depend on libssl"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
printf 'abc\r\n' >"$scratch/list.txt"
env PATH=/usr/bin:/bin ondrel-cli hash --md5 "$scratch/list.txt" "$scratch/md5.txt" >/dev/null ||
  fail "ondrel-cli hash failed"
[[ $(<"$scratch/md5.txt") == $'900150983cd24fb0d6963f7d28e17f72\r' ]] ||
  fail "ondrel-cli hash wrote: $(<"$scratch/md5.txt")"
expected=(/usr/bin/ondrel /usr/share/man/man1/ondrel.1 /usr/share/man/man1/ondrel-cli.1
  /usr/share/applications/ondrel.desktop /usr/share/icons/hicolor/48x48/apps/ondrel.png)
for page in "$(dirname "$0")"/../src/ui/help/*.htm; do  # the help pages are the pages there
  expected+=("/usr/share/ondrel/$(basename "$page")")
done
for path in "${expected[@]}"; do
  [[ -f $path ]] || fail "$path is not installed"
done

apt-get purge -y -q -o DPkg::Lock::Timeout=300 ondrel </dev/null >/dev/null
status=$(dpkg-query -W -f='${db:Status-Status}' ondrel 2>/dev/null || true)
[[ $status != installed ]] || fail "the package is still installed"
for path in "${files[@]}"; do
  [[ ! -e $path ]] || fail "$path is left after removal"
done
echo "test-deb: $version installed from $(basename "$package"), ran from the PATH and was removed cleanly (${#files[@]} files)"
