#!/usr/bin/env bash
# The project's one test command: set-up, both builds, the host suites, the Windows suites
# under Wine inside one Xvfb, and the end-to-end tests. Every suite runs even when an earlier
# one failed; the exit status is non-zero if any failed. The time of every stage and suite is
# printed at the end, so that a slow one shows in every log.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
times=()
stage_start=0
begin() { stage_start=$(date +%s.%N); }
# end NAME: records the stage that began last.
since() { awk -v a="$1" -v b="$(date +%s.%N)" 'BEGIN { printf "%8.1f s", b - a }'; }
end() { times+=("$(since "$stage_start")  $1"); }
# Suite times from ctest's own lines ("Test #3: name ....   Passed   12.34 sec").
ctest_times() {
  sed -nE 's/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: ([^ ]+) .* ([0-9.]+) sec$/\2 \1/p' "$1" | while read -r secs name; do
    printf '%8.1f s    %s\n' "$secs" "$name"
  done
}
summary() {
  echo
  echo "== time of each stage"
  printf '%s\n' "${times[@]}"
}
run_start=$(date +%s.%N)

begin
bash "$top/scripts/setup.sh" || exit 1
end "set-up"
begin
bash "$top/scripts/build.sh" host || { echo "host build failed" >&2; exit 1; }
end "host build"
begin
bash "$top/scripts/build.sh" win || { echo "Windows build failed" >&2; exit 1; }
end "Windows build"
begin
bash "$top/scripts/sample.sh" >/dev/null || { echo "writing the sample installation failed" >&2; exit 1; }
end "sample installation"

logs="$top/build/test-logs"
mkdir -p "$logs"
status=0
echo "== host tests"
begin
(cd "$top/build/host" && ctest --output-on-failure -j2) 2>&1 | tee "$logs/host.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
end "host tests"
while IFS= read -r line; do times+=("$line"); done < <(ctest_times "$logs/host.log")

echo "== Windows tests (Wine)"
source "$top/scripts/wine-env.sh"
wineserver -k 2>/dev/null || true
begin
# No persistent Wine server: the helper processes a Wine start leaves behind keep the output
# pipe of the test that started them open, and ctest waits for it while they live.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "cd '$top/build/win' && ctest --output-on-failure" 2>&1 | tee "$logs/win.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
end "Windows tests"
while IFS= read -r line; do times+=("$line"); done < <(ctest_times "$logs/win.log" | grep -v '_unmanaged_windows$')

if [ -d "$top/tests/e2e" ] && ls "$top"/tests/e2e/*_test.sh >/dev/null 2>&1; then
  echo "== end-to-end tests"
  passed=0; failed=0
  begin
  for t in "$top"/tests/e2e/*_test.sh; do
    one=$(date +%s.%N)
    if xvfb-run -a -s "-screen 0 1280x1024x24" bash "$t"; then passed=$((passed + 1)); else failed=$((failed + 1)); status=1; fi
    times+=("$(since "$one")    $(basename "$t" .sh)")
  done
  end "end-to-end tests"
  echo "end-to-end: $passed passed, $failed failed"
fi
wineserver -k 2>/dev/null || true
stage_start=$run_start
end "the whole test command"
summary
exit $status
