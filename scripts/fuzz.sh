#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan and UBSan) and runs each for a bounded time,
# two at a time. New inputs go to build/fuzz/corpus/; an input that crashes a target is copied
# to tests/fuzz/crashes/<target>/ (commit it: the ordinary test run replays it from then on).
# Usage: scripts/fuzz.sh [seconds per target]   (default: 5 minutes in all, at least 20 s each)
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mapfile -t targets < <(find build/fuzz/tests/fuzz -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x -printf '%f\n' | sort)
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets built" >&2; exit 1; }

# Just under five minutes in all, two targets at a time.
rounds=$(( (${#targets[@]} + 1) / 2 ))
seconds="${1:-$(( 290 / rounds ))}"
[ "$seconds" -ge 20 ] || seconds=20

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

run_target() {
  local target="$1" seconds="$2" root="$3"
  local name="${target#fuzz_}"
  local work="$root/build/fuzz/corpus/$name" artifacts="$root/build/fuzz/artifacts/$name"
  mkdir -p "$work" "$artifacts"
  local seeds="$root/tests/fuzz/corpus/$name"
  [ -d "$seeds" ] || seeds=""
  if "$root/build/fuzz/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$artifacts/" "$work" $seeds >"$artifacts/../$name.log" 2>&1; then
    echo "fuzz $name: ok ($(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$artifacts/../$name.log" | grep -Eo '[0-9]+$') runs in ${seconds} s)"
  else
    mkdir -p "$root/tests/fuzz/crashes/$name"
    cp "$artifacts"/* "$root/tests/fuzz/crashes/$name/" 2>/dev/null || true
    echo "fuzz $name: FAILED, inputs kept in tests/fuzz/crashes/$name/; log:"
    tail -n 40 "$artifacts/../$name.log"
    return 1
  fi
}
export -f run_target

status=0
printf '%s\n' "${targets[@]}" | xargs -P 2 -I{} bash -c 'run_target "$@"' _ {} "$seconds" "$root" | tee build/fuzz/fuzz.log || status=$?
ok=$(grep -c ': ok' build/fuzz/fuzz.log || true)
echo "fuzz targets: $ok passed, $(( ${#targets[@]} - ok )) failed"
exit "$status"
