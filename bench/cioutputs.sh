#!/usr/bin/env bash
# The CI outputs against the summary on a large report: wall time of
# `xrdview --to FORMAT` for each format, and of `xrdview --summary`, on the
# xrdgen report of CASES test cases (default 100,000), RUNS runs each
# (default 1); prints each output's time as a ratio of the summary's.
# Usage: bench/cioutputs.sh [BUILD_DIR] [CASES] [RUNS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
cases="${2:-100000}"
runs="${3:-1}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# xrdgen is plain C++: built here when the build has no benchmarks.
gen="$build/bin/xrdgen"
if [ ! -x "$gen" ]; then
  g++ -O2 -std=c++17 -o "$work/xrdgen" "$root/bench/xrdgen.cpp"
  gen="$work/xrdgen"
fi
"$gen" --cases "$cases" "$work/report.xrd" >/dev/null
xrdview="$build/bin/xrdview"
export QT_QPA_PLATFORM=offscreen

# Best wall time in seconds of RUNS runs of the command; exit 0 and 1 are
# the statuses of a report with failures.
best() {
  local best_time=""
  for _ in $(seq "$runs"); do
    local start end took
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || [ $? -eq 1 ]
    end=$(date +%s.%N)
    took=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')
    if [ -z "$best_time" ] || awk -v t="$took" -v b="$best_time" 'BEGIN { exit !(t < b) }'; then
      best_time=$took
    fi
  done
  echo "$best_time"
}

size=$(du -m "$work/report.xrd" | cut -f1)
summary=$(best "$xrdview" --summary "$work/report.xrd")
printf '%-10s %6.2f s  (%s cases, %s MB)\n' summary "$summary" "$cases" "$size"
for format in junit ctrf markdown github; do
  took=$(best "$xrdview" --to "$format" -o "$work/out.$format" "$work/report.xrd")
  printf '%-10s %6.2f s  %.2f x summary\n' "$format" "$took" "$(awk -v t="$took" -v s="$summary" 'BEGIN { print t / s }')"
done
