#!/usr/bin/env bash
# HTML export of large suites: `xrdview --export-html` against `xrdview --summary` (wall and
# processor time, in one run of the script), and the first paint of the summary page and
# the first report page in headless Chromium, for the xrdgen XRD report and the junitgen
# JUnit file of CASES test cases (default 100,000).
# Usage: bench/htmlexport.sh [BUILD_DIR] [CASES] [KEEP_DIR]
# The paint is read from the page's own Performance timeline through a probe page that
# loads it in a frame (first contentful paint, DOM content loaded, load end, in ms since the
# page's navigation started), so Chromium's start-up is not counted. Each page is also shot
# with `chromium --headless --screenshot` (shot-FORMAT-PAGE.png), whose wall time is given
# beside that of shooting a blank page (Chromium's own start and end). KEEP_DIR keeps the
# exports and the shots there.
# With PF_SAX set to a bare Qt SAX reader (the perf kit's pf-sax, which reads a file and
# does nothing else), the XRD export is also given against that pass over the same file (L).
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

# Wall seconds of a screenshot of a page (file URL) by headless Chromium, start to exit.
shot() {
  local t0 t1
  t0=$(date +%s.%N)
  chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=1280,800 \
    --user-data-dir="$work/profile" --screenshot="$2" "$1" >/dev/null 2>&1 || true
  t1=$(date +%s.%N)
  awk -v a="$t0" -v b="$t1" 'BEGIN{printf "%.2f", b - a}'
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
if command -v chromium >/dev/null; then
  printf '<!DOCTYPE html><title>blank</title>' >"$work/blank.html"
  shot "file://$work/blank.html" "$work/blank.png" >/dev/null # a first start fills the profile
  echo "chromium screenshot of a blank page: $(shot "file://$work/blank.html" "$work/blank.png") s"
fi
for input in report.xrd report.xml; do
  out="$work/html-${input##*.}"
  rm -rf "$out"
  read -r sw sc <<<"$(timed "$xrdview" --summary "$work/$input")"
  read -r ew ec <<<"$(timed "$xrdview" --export-html "$out" "$work/$input")"
  printf '%s: summary %s s (cpu %s s), export %s s (cpu %s s): %.2f x wall, %.2f x cpu\n' "$input" \
    "$sw" "$sc" "$ew" "$ec" "$(awk -v a="$ew" -v b="$sw" 'BEGIN{print a/b}')" "$(awk -v a="$ec" -v b="$sc" 'BEGIN{print a/b}')"
  if [ -n "${PF_SAX:-}" ] && [ "$input" = report.xrd ]; then
    read -r lw lc <<<"$(timed "$PF_SAX" "$work/$input")"
    printf '  L (bare SAX pass) %s s (cpu %s s): export %.2f x L wall, %.2f x cpu; summary %.2f x L wall\n' \
      "$lw" "$lc" "$(awk -v a="$ew" -v b="$lw" 'BEGIN{print a/b}')" "$(awk -v a="$ec" -v b="$lc" 'BEGIN{print a/b}')" \
      "$(awk -v a="$sw" -v b="$lw" 'BEGIN{print a/b}')"
  fi
  printf '  %s pages, largest %s bytes, %s bytes in all\n' "$(ls "$out" | wc -l)" \
    "$(ls -S "$out" | head -1 | xargs -I{} stat -c %s "$out/{}")" "$(du -sb "$out" | cut -f1)"
  printf '%s' "$probe" >"$out/probe.html"
  if command -v chromium >/dev/null; then
    for page in index.html report.html; do
      echo "  $page: first contentful paint, DOM loaded, load end (ms): $(paint "$out" "$page");" \
        "screenshot $(shot "file://$out/$page" "$work/shot-${input##*.}-${page%.html}.png") s"
    done
  fi
done
