#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds and runs the test suites:
#   release  every test, optimised build
#   asan     every test under AddressSanitizer and UndefinedBehaviorSanitizer
#   tsan     the core's tests (no GUI) under ThreadSanitizer
#   fuzz     every fuzz target for a bounded time (scripts/fuzz.sh)
# Usage: scripts/test.sh [release|asan|tsan|fuzz]...   (all four when none is named)
# A failing test fails at once: nothing is retried. The last line sums up every suite run.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
suites=("$@")
[ ${#suites[@]} -gt 0 ] || suites=(release asan tsan fuzz)

scripts/install-deps.sh

# Sanitizer reports end the test that caused them; third-party reports we cannot fix are
# suppressed in files that give the reason for each entry.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export TSAN_OPTIONS="suppressions=$root/tests/sanitizers/tsan.supp:halt_on_error=1:second_deadlock_stack=1:print_suppressions=0"

passed=0
failed=0
failed_suites=()

run_ctest_suite() {
  local preset="$1" log
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  log="build/$preset/ctest.log"
  local status=0
  ctest --preset "$preset" -j "$(nproc)" 2>&1 | tee "$log" || status=$?
  # CTest's summary: "100% tests passed, 0 tests failed out of 318"
  local summary
  summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
  if [ -n "$summary" ]; then
    local bad total
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  fi
  [ "$status" -eq 0 ] && [ -n "$summary" ] || failed_suites+=("$preset")
}

for suite in "${suites[@]}"; do
  echo "=== $suite ==="
  case "$suite" in
    release | asan | tsan | debug) run_ctest_suite "$suite" ;;
    fuzz)
      mkdir -p build
      scripts/fuzz.sh 2>&1 | tee build/fuzz.log || failed_suites+=(fuzz)
      if line=$(grep -E '^fuzz targets: [0-9]+ passed, [0-9]+ failed' build/fuzz.log); then
        passed=$((passed + $(sed -E 's/.*: ([0-9]+) passed.*/\1/' <<<"$line")))
        failed=$((failed + $(sed -E 's/.* ([0-9]+) failed.*/\1/' <<<"$line")))
      fi
      ;;
    *) echo "unknown suite: $suite (release, asan, tsan or fuzz)" >&2; exit 2 ;;
  esac
done

if [ ${#failed_suites[@]} -gt 0 ]; then
  echo "failed suites: ${failed_suites[*]}"
fi
echo "tests: $passed passed, $failed failed"
[ ${#failed_suites[@]} -eq 0 ]
