#!/usr/bin/env bash
# Builds the Windows programs on Debian with mingw-w64: 32-bit into build-win32/, 64-bit into
# build-win64/; runs every core, console and window-handler test of both under Wine (the
# 32-bit ones where Wine can run 32-bit programs), compares ondrel-cli.exe with the Linux
# ondrel-cli on examples/ and runs the desktop program's smoke test on a virtual display;
# packs out/ondrel-VERSION-win32.zip and out/ondrel-VERSION-win64.zip (programs, help pages,
# LEGGIMI.txt). Installs what it needs first. Extra CMake settings may be given as arguments.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --windows

# Everything below runs on one virtual display: the window tests and the desktop smoke test
# need one, and Wine keeps the desktop process it made for the first display it met for as
# long as its server runs, so a second display would find that process gone with the first.
if [[ -z ${ONDREL_WINDOWS_DISPLAY:-} ]]; then
  ONDREL_WINDOWS_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" \
    "$(pwd)/scripts/build-windows.sh" "$@"
fi

version=$(sed -n 's/^project(ondrel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
jobs=$(nproc)

# Wine: quiet, one prefix made once and reused, no prompts for Mono or Gecko, and one
# wineserver kept running for the whole test run (starting it costs seconds, a test 0.3 s).
export WINEDEBUG=-all
export WINEPREFIX=${WINEPREFIX:-$HOME/.cache/ondrel-wine}
export WINEDLLOVERRIDES="mscoree,mshtml="
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  mkdir -p "$(dirname "$WINEPREFIX")"  # Wine makes the prefix but not the folders above it
  echo "build-windows: making the Wine prefix $WINEPREFIX"
fi
wineserver -p >/dev/null 2>&1 || true  # already running is as good
# Wine's own background processes (services, devices) are started here, with their outputs
# going nowhere: started by the first test program instead, they would inherit its output
# pipe and hold it open, and CTest would wait for its end until the timeout. The 64-bit
# loader runs on every machine, and makes the same 64-bit prefix as the 32-bit one would.
timeout 600 /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 </dev/null || true
trap 'wineserver -k 2>/dev/null || true' EXIT

# Whether this machine runs 32-bit Windows programs: a tiny one is run, with a timeout.
# `wine --version` tells nothing: under a qemu binfmt entry for 32-bit x86 it succeeds while
# every 32-bit program hangs; a kernel without IA-32 emulation refuses the program at once.
mkdir -p build-win32
echo 'int main(void) { return 0; }' |
  i686-w64-mingw32-gcc-posix -x c -o build-win32/runs-32-bit.exe -
if timeout -k 5 60 /usr/lib/wine/wine build-win32/runs-32-bit.exe >/dev/null 2>&1 </dev/null; then
  wine_loader=/usr/lib/wine/wine
else
  # The wine wrapper would start the 32-bit loader first, for every program Wine starts.
  wine_loader=/usr/lib/wine/wine64
  export WINELOADER=$wine_loader
fi
export WINE=$wine_loader  # for the comparison and smoke-test scripts
runs_32_bit() {
  [[ $wine_loader == /usr/lib/wine/wine ]]
}

build() {
  local bits=$1 dir=build-win$1
  cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win"$bits".cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$wine_loader" "${@:2}"
  # Listing the tests of a program means running it: where 32-bit programs cannot run, the
  # tests are built but their listing waits for a test run.
  cmake --build "$dir" -j "$jobs"
}

test_under_wine() {
  local dir=build-win$1
  scripts/run-wine-ctest.sh "$dir"
  scripts/compare-windows-cli.sh "$dir" build-host/src/cli/ondrel-cli "$dir/compare-cli"
  scripts/smoke-windows-desktop.sh "$dir" build-host/src/cli/ondrel-cli "$dir/smoke-desktop"
}

package() {
  local bits=$1 dir=build-win$1
  local name=ondrel-$version-win$bits
  local stage=$dir/package/$name
  rm -rf "$dir/package" && mkdir -p "$stage" out
  cp "$dir/src/ui/win32/ondrel.exe" "$dir/src/cli/ondrel-cli.exe" "$stage/"
  cp src/ui/help/*.htm "$stage/"  # the help pages are the pages there
  sed 's/\r\?$/\r/' src/windows/LEGGIMI.txt >"$stage/LEGGIMI.txt"
  rm -f "out/$name.zip"
  (cd "$dir/package" && zip -q -r -X "../../out/$name.zip" "$name")
  echo "build-windows: out/$name.zip"
}

# The Linux console program, which the Windows programs' results are compared with.
echo "=== Linux ondrel-cli, for the comparisons"
cmake -S . -B build-host -G Ninja -DCMAKE_BUILD_TYPE=Release -DONDREL_BUILD_GUI=OFF \
  -DONDREL_BUILD_TESTS=OFF >/dev/null
cmake --build build-host -j "$jobs" --target ondrel-cli
for bits in 32 64; do
  echo "=== Windows, $bits-bit: build"
  build "$bits" "$@"
done
for bits in 32 64; do
  if [[ $bits == 32 ]] && ! runs_32_bit; then
    echo "=== Windows, 32-bit: NOT TESTED - Wine cannot run a 32-bit program here (Linux" \
      "without IA-32 emulation, or 32-bit programs sent to qemu); scripts/test-32bit.sh" \
      "tests the 32-bit portable code on Linux"
    continue
  fi
  echo "=== Windows, $bits-bit: tests under Wine"
  test_under_wine "$bits"
done
for bits in 32 64; do
  package "$bits"
done
