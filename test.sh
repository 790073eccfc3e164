#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, builds the audio code again with
# ThreadSanitizer, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps

JOBS=$(nproc)
LAUNCHER=()
if command -v ccache >/dev/null 2>&1; then
  LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=suppressions=$PWD/scripts/tsan.supp:halt_on_error=1:second_deadlock_stack=1

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOLVANE_SANITIZE=address "${LAUNCHER[@]}"
cmake --build build/asan -j "$JOBS"

cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOLVANE_SANITIZE=thread -DTOLVANE_AUDIO_ONLY=ON "${LAUNCHER[@]}"
cmake --build build/tsan -j "$JOBS"

status=0
echo "== ThreadSanitizer: audio =="
(cd build/tsan && ctest --output-on-failure -j "$JOBS") || status=1
echo "== AddressSanitizer + UndefinedBehaviorSanitizer: everything =="
(cd build/asan && ctest --output-on-failure -j "$JOBS") || status=1
exit $status
