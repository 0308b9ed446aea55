#!/usr/bin/env bash
# Set up, build and run every test headless.
#   ./test.sh              the plain build in build/
#   ./test.sh --sanitize   AddressSanitizer and UndefinedBehaviorSanitizer build in build-sanitize/:
#                          every test, then every fuzz target for KINLOOM_FUZZ_SECONDS (60) each
set -euo pipefail
cd "$(dirname "$0")"
export QT_QPA_PLATFORM=offscreen
if [ "${1:-}" = "--sanitize" ]; then
  KINLOOM_SANITIZE=1 ./scripts/setup.sh
  build="${KINLOOM_BUILD_DIR:-build-sanitize}"
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
  export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 1200
  ./scripts/fuzz.sh "${KINLOOM_FUZZ_SECONDS:-60}" "$build"
  exit 0
fi
./scripts/setup.sh
ctest --test-dir "${KINLOOM_BUILD_DIR:-build}" --output-on-failure -j"$(nproc)" --timeout 600
