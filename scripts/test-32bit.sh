#!/usr/bin/env bash
# Builds the portable core, the list tools, the engine and the console program with their
# tests as 32-bit x86 Linux programs into build-i686/ (BUILD_DIR names another folder) and
# runs the whole suite: natively where the kernel runs 32-bit programs, else under qemu-i386
# on the system's i386 libraries. What 32-bit changes in the portable code is tested so on
# every machine: 32-bit size_t and pointers, a 2 to 4 GB address space, 32-bit file offsets
# and times in the C library. Installs what it needs first. Extra CMake settings may be given
# as arguments.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-i686}

scripts/install-deps.sh --32-bit
mkdir -p "$build"

# Whether this kernel runs 32-bit x86 programs: a tiny one is run, with a timeout.
echo 'int main() { return 0; }' | i686-linux-gnu-g++ -x c++ -o "$build/runs-32-bit" -
skipped=()
if timeout 60 "$build/runs-32-bit" 2>/dev/null; then
  emulator=
  echo "test-32bit: this kernel runs 32-bit programs; the tests run natively"
else
  # The system's i386 libraries: with the cross toolchain's own (-L /usr/i686-linux-gnu) the
  # first pthread_create spins for ever.
  emulator="qemu-i386;-L;/"
  echo "test-32bit: this kernel runs no 32-bit programs; the tests run under qemu-i386"
  # Tests that cannot run there. qemu-i386 reserves the guest's whole 4 GB address space when
  # it starts, so a limit on the address space stops none of the guest's allocations. And
  # once a signal handler has run in a guest with threads, qemu-i386 7.2 makes the next
  # pthread_join fail with EDEADLK (a ten-line program with one thread shows it; natively it
  # joins), so Ctrl-C cannot be sent to an extraction on several threads.
  cannot_run=(
    'ListLimits\.AListLargerThanTheMemoryLeftIsAFailureAndStaysAsItWas'
    'ParallelExtraction\.CtrlCEndsTheRunAsOnOneThreadLeavingWholeLines'
    'StopSignals\.CtrlCDuringAnExtractionLeavesWholeLines'
  )
  skipped=(-E "^($(IFS='|' && echo "${cannot_run[*]}"))\$")
  echo "test-32bit: not run under qemu-i386: ${cannot_run[*]//\\/}"
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-linux-i686.cmake \
  -DONDREL_BUILD_GUI=OFF "-DCMAKE_CROSSCOMPILING_EMULATOR=$emulator" "$@"
cmake --build "$build"
(cd "$build" && ctest --output-on-failure -j "$(nproc)" --timeout 300 "${skipped[@]}")
echo "test-32bit: built and tested in $SECONDS s"
