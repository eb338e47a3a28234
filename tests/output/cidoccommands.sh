#!/usr/bin/env bash
# Runs every xrdview command line of docs/ci.md on copies of the examples, so
# that the CI examples cannot drift from what xrdview accepts. A command
# must exit with 0 or 1 (2 is a wrong argument or path) and leave the files
# it names with -o or --export-html.
# Usage: cidoccommands.sh DOC BIN_DIR EXAMPLES_DIR
set -u
doc=$1 bin=$2 examples=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/reports/unit"
cp -r "$examples" "$work/examples"
cp "$examples"/*.xrd "$work/reports/"
cp "$examples/junit-surefire.xml" "$work/reports/unit/TEST-surefire.xml"
export PATH="$bin:$PATH" QT_QPA_PLATFORM=offscreen GITHUB_STEP_SUMMARY="$work/step-summary.md"

# The lines of fenced blocks that run xrdview, from "xrdview" on; a Jenkins
# sh step loses its closing quote.
mapfile -t lines < <(awk '/^```/ { fenced = !fenced; next } fenced && /xrdview /' "$doc" | grep -o 'xrdview .*')
commands=()
for line in "${lines[@]}"; do
  quotes=${line//[^\']/}
  (( ${#quotes} % 2 == 1 )) && line=${line%\'}
  commands+=("$line")
done
passed=0 failed=0
for command in "${commands[@]}"; do
  (cd "$work" && bash -c "$command" >"$work/out.txt" 2>"$work/err.txt")
  status=$?
  bad=""
  [ "$status" -le 1 ] || bad="exit status $status: $(head -c 500 "$work/err.txt")"
  for made in $(grep -oE '(-o|--export-html) [^ ]+' <<<"$command" | cut -d' ' -f2); do
    [ -e "$work/$made" ] || bad="$bad $made was not written"
  done
  if [ -z "$bad" ]; then
    passed=$((passed + 1)); echo "ok   $command"
  else
    failed=$((failed + 1)); echo "FAIL $command: $bad"
  fi
done
# Every CI system of the page has its commands.
[ "${#commands[@]}" -ge 12 ] || { echo "FAIL only ${#commands[@]} command lines found in $doc"; failed=$((failed + 1)); }
grep -q 'Test results' "$work/step-summary.md" || { echo "FAIL the step summary was not written"; failed=$((failed + 1)); }
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
