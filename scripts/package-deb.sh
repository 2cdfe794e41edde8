#!/usr/bin/env bash
# Builds the Debian package ondrel_VERSION_ARCH.deb (both programs, help pages, desktop entry,
# icons, manual pages) with CPack; dpkg-shlibdeps finds its library dependencies.
# Usage: scripts/package-deb.sh [CMAKE_SETTING...]
# BUILD_DIR names the build folder (default: build-deb; an existing one is reused, e.g.
# BUILD_DIR=build after scripts/test.sh). Prints the path of the package, which lands there.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-deb}

for tool in dpkg-shlibdeps file; do
  if ! command -v "$tool" >/dev/null; then
    echo "package-deb: $tool is missing; run scripts/install-deps.sh" >&2
    exit 1
  fi
done

cmake -S . -B "$build" -G Ninja -DCMAKE_INSTALL_PREFIX=/usr "$@" >/dev/null
cmake --build "$build"
rm -f "$build"/ondrel_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/ondrel_*.deb
