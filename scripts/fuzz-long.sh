#!/usr/bin/env bash
# make fuzz-long: builds the libFuzzer targets with clang in build-fuzz and
# runs each in turn on a copy of its seeds (fuzz/corpus/<target>/) in a fresh
# work folder, until FUZZ_RUNS inputs (default 10000000) or FUZZ_SECONDS
# (default 600), whichever comes first. FUZZ_TARGETS="fuzz_mg fuzz_mgs" runs
# only those. Prints inputs run, inputs a second and findings per target;
# fails when any target found something. The repository's seeds are only read.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${FUZZ_BUILD:-build-fuzz}
seconds=${FUZZ_SECONDS:-600}
runs=${FUZZ_RUNS:-10000000}
[[ "$seconds" =~ ^[0-9]+$ && "$runs" =~ ^[0-9]+$ ]] || {
  echo "FUZZ_SECONDS and FUZZ_RUNS must be whole numbers" >&2
  exit 2
}

cmake -S . -B "$build" -G Ninja -DCHROMALOOM_FUZZ=ON -DCHROMALOOM_WERROR=ON \
  -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2

targets=()
if [[ -n "${FUZZ_TARGETS:-}" ]]; then
  read -r -a targets <<<"$FUZZ_TARGETS"
else
  for exe in "$build"/fuzz/fuzz_*; do
    [[ -f "$exe" && -x "$exe" ]] && targets+=("$(basename "$exe")")
  done
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/chromaloom-fuzz.XXXXXX")
echo "Work folder (corpora, logs, findings): $work"
echo "Each target: up to $runs inputs or $seconds seconds"
printf '%-22s %12s %8s %12s %s\n' target inputs seconds inputs/s findings
failed=0
for name in "${targets[@]}"; do
  exe="$build/fuzz/$name"
  [[ -x "$exe" ]] || { echo "$name: no such target in $build/fuzz" >&2; failed=1; continue; }
  mkdir -p "$work/$name/corpus" "$work/$name/findings"
  if [[ -d "fuzz/corpus/$name" ]]; then cp -R "fuzz/corpus/$name/." "$work/$name/corpus/"; fi
  log="$work/$name/log"
  status=0
  "$exe" -runs="$runs" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$work/$name/findings/" "$work/$name/corpus" >"$log" 2>&1 || status=$?
  # libFuzzer's last line on a clean finish: "Done 123456 runs in 30 second(s)".
  done_line=$(grep -E '^Done [0-9]+ runs in [0-9]+ second' "$log" | tail -n 1 || true)
  found=$(find "$work/$name/findings" -type f | wc -l)
  if [[ -n "$done_line" ]]; then
    read -r _ inputs _ _ took _ <<<"$done_line"
    rate=$(awk -v n="$inputs" -v s="$took" 'BEGIN { printf "%.0f", (s > 0 ? n / s : n) }')
  else
    inputs="-" took="-" rate="-"
  fi
  note=$found
  if [[ $found -gt 0 ]]; then note="$found: $(find "$work/$name/findings" -type f -printf '%f ')"; fi
  if [[ $status -ne 0 && $found -eq 0 ]]; then note="exit $status, see $log"; fi
  printf '%-22s %12s %8s %12s %s\n' "$name" "$inputs" "$took" "$rate" "$note"
  if [[ $status -ne 0 || $found -gt 0 ]]; then failed=1; fi
done
if [[ $failed -ne 0 ]]; then
  echo "Findings or failures above; inputs and logs are in $work" >&2
  exit 1
fi
