#!/usr/bin/env bash
# HTML export of large suites: `xrdview --export-html` against `xrdview --summary` (wall and
# processor time, in one run of the script), and the first paint of the summary page and
# the first report page in headless Chromium, for the xrdgen XRD report and the junitgen
# JUnit file of CASES test cases (default 100,000).
# Usage: bench/htmlexport.sh [BUILD_DIR] [CASES] [KEEP_DIR]
# The paint is read from the page's own Performance timeline through a probe page that
# loads it in a frame (first contentful paint, DOM content loaded, load end, in ms since the
# page's navigation started), so Chromium's start-up is not counted. KEEP_DIR keeps the
# exports there.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
cases="${2:-100000}"
work="${3:-$(mktemp -d)}"
[ -n "${3:-}" ] || trap 'rm -rf "$work"' EXIT
mkdir -p "$work"
for gen in xrdgen junitgen; do
  if [ ! -x "$build/bin/$gen" ]; then
    g++ -O2 -std=c++17 -o "$work/$gen" "$root/bench/$gen.cpp"
  fi
done
gen() { if [ -x "$build/bin/$1" ]; then echo "$build/bin/$1"; else echo "$work/$1"; fi; }
"$(gen xrdgen)" --cases "$cases" "$work/report.xrd" >/dev/null
"$(gen junitgen)" --cases "$cases" "$work/report.xml" >/dev/null
xrdview="$build/bin/xrdview"
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config"

# "wall user+system" seconds of one run; exit 1 is the status of a report with failures.
timed() {
  /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" >/dev/null 2>&1 || [ $? -eq 1 ]
  tail -n 1 "$work/time" | awk '{ printf "%.2f %.2f", $1, $2 + $3 }'
}

probe='<!DOCTYPE html><html><body><iframe id="f" style="width:1200px;height:800px"></iframe><script>
var f=document.getElementById("f");f.onload=function(){var p=f.contentWindow.performance;
var c=p.getEntriesByName("first-contentful-paint")[0];var n=p.getEntriesByType("navigation")[0];
document.body.setAttribute("data-paint",(c?c.startTime:-1).toFixed(0)+" "+n.domContentLoadedEventEnd.toFixed(0)+" "+n.loadEventEnd.toFixed(0));};
f.src=decodeURIComponent(location.hash.slice(1));</script></body></html>'

paint() {
  chromium --headless --no-sandbox --disable-gpu --allow-file-access-from-files \
    --user-data-dir="$work/profile" --dump-dom "file://$1/probe.html#$2" 2>/dev/null \
    | grep -o 'data-paint="[^"]*"' | cut -d'"' -f2
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
for input in report.xrd report.xml; do
  out="$work/html-${input##*.}"
  rm -rf "$out"
  read -r sw sc <<<"$(timed "$xrdview" --summary "$work/$input")"
  read -r ew ec <<<"$(timed "$xrdview" --export-html "$out" "$work/$input")"
  printf '%s: summary %s s (cpu %s s), export %s s (cpu %s s): %.2f x wall, %.2f x cpu\n' "$input" \
    "$sw" "$sc" "$ew" "$ec" "$(awk -v a="$ew" -v b="$sw" 'BEGIN{print a/b}')" "$(awk -v a="$ec" -v b="$sc" 'BEGIN{print a/b}')"
  printf '  %s pages, largest %s bytes\n' "$(ls "$out" | wc -l)" "$(ls -S "$out" | head -1 | xargs -I{} stat -c %s "$out/{}")"
  printf '%s' "$probe" >"$out/probe.html"
  if command -v chromium >/dev/null; then
    for page in index.html report.html; do
      echo "  $page: first contentful paint, DOM loaded, load end (ms): $(paint "$out" "$page")"
    done
  fi
done
