#!/usr/bin/env bash
# Installs the Debian packages that building, testing, benchmarking and rendering Ondrel
# need; with --windows, those that cross-build the Windows programs and test them under Wine
# (which needs the i386 architecture); with --32-bit, those that build the 32-bit x86 Linux
# programs and run them (scripts/test-32bit.sh). Packages already installed are left alone;
# apt-get runs only when one is missing. Runs as root, or through sudo when it is there.
set -euo pipefail

windows_packages=(
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix  # the compilers, posix threads
  googletest                                           # GoogleTest's sources, built for Windows
  wine wine64 wine32:i386                              # the tests run under Wine
  cmake ninja-build zip                                # the build and the packages
  build-essential                                      # the Linux ondrel-cli, to compare with
  imagemagick xvfb xauth                               # ondrel.exe's bitmaps; its smoke test
)

packages_32_bit=(
  g++-i686-linux-gnu                     # the compiler for 32-bit x86 Linux
  libc6:i386 libstdc++6:i386             # the libraries the programs run on
  libssl-dev:i386                        # libcrypto for the digests, for i386
  qemu-user                              # qemu-i386, where the kernel runs no 32-bit programs
  googletest                             # GoogleTest's sources, built for the target
  cmake ninja-build                      # the build
)

packages=(
  build-essential cmake ninja-build git  # the build
  libgtest-dev                           # the tests
  libssl-dev                             # libcrypto: the digests of subtract --hashed and hash
  qt6-base-dev qt6-base-dev-tools libgl-dev fonts-dejavu-core  # the desktop program
  xvfb xauth imagemagick                 # screenshots; the Windows program's icon and bitmaps
  qt6-translations-l10n dpkg-dev file    # Qt's Italian texts; the Debian package
  clang libclang-rt-14-dev               # the fuzzers and their sanitizer runtimes
  util-linux                             # setpriv: tests run the program as another user
  ripgrep hyperfine time                 # the benchmarks and their peak-memory figures
  clang-format-14                        # the format check of CI
)
case ${1:-} in
  --windows) packages=("${windows_packages[@]}") ;;
  --32-bit) packages=("${packages_32_bit[@]}") ;;
esac

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [[ $status == installed ]] || missing+=("$package")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  echo "install-deps: every package is installed already"
  exit 0
fi

as_root=()
if [[ $(id -u) -ne 0 ]]; then
  if command -v sudo >/dev/null; then
    as_root=(sudo)
  else
    echo "install-deps: run as root (sudo is not available) to install: ${missing[*]}" >&2
    exit 1
  fi
fi

echo "install-deps: installing ${missing[*]}"
if [[ " ${missing[*]} " == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${as_root[@]}" dpkg --add-architecture i386
fi
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
  "${missing[@]}" </dev/null
