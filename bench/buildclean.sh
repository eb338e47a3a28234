#!/usr/bin/env bash
# The first build on a clean tree, as a new user meets it: clones REV (default HEAD) of this
# repository into a temporary folder and builds it there without the compiler cache, first
# what scripts/demo builds (the host and the plug-in), then the rest that scripts/test builds.
# Prints processor time (user + system; comparable on a shared machine) and wall time of each
# step, and their sum. Compare two revisions by running it for each.
# Usage: bench/buildclean.sh [REV] [JOBS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
rev="${1:-HEAD}"
jobs="${2:-$(nproc)}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
git -C "$root" worktree add -q --detach "$work/src" "$rev"
trap 'git -C "$root" worktree remove --force "$work/src"; rm -rf "$work"' EXIT
unset CMAKE_CXX_COMPILER_LAUNCHER
export CCACHE_DISABLE=1

# step NAME COMMAND...: runs COMMAND and prints its children's processor and wall seconds.
step() {
  local name=$1; shift
  /usr/bin/time -f "%U %S %e" -o "$work/time" "$@" >"$work/$name.log" 2>&1 \
    || { echo "buildclean: $name failed, see its log:" >&2; tail -n 20 "$work/$name.log" >&2; exit 1; }
  read -r user sys wall <"$work/time"
  awk -v n="$name" -v u="$user" -v s="$sys" -v w="$wall" \
    'BEGIN { printf "%-6s processor %7.1f s   wall %7.1f s\n", n, u + s, w }'
  echo "$user $sys $wall" >>"$work/all"
}

echo "revision $(git -C "$root" rev-parse --short "$rev"), $jobs jobs, $(nproc) processors, load $(cut -d' ' -f1 /proc/loadavg)"
step demo bash -c "cmake -S '$work/src' -B '$work/build' && cmake --build '$work/build' --target xrdview korvatreporter -j$jobs"
step tests cmake --build "$work/build" -j"$jobs"
awk '{ cpu += $1 + $2; wall += $3 } END { printf "total  processor %7.1f s   wall %7.1f s\n", cpu, wall }' "$work/all"
