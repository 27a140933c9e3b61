#!/usr/bin/env bash
# The project's one test command: set-up, both builds, the host suites, then the Windows suites
# under Wine and the end-to-end tests side by side (MUHE_TEST_LANES, default 3, lanes of their
# own Xvfb and Wine prefix). Every suite runs even when an earlier one failed; the exit status
# is non-zero if any failed. The time of every stage and suite is printed at the end, so that a
# slow one shows in every log.
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

echo "== Windows tests (Wine) and end-to-end tests, side by side"
source "$top/scripts/wine-env.sh"
wineserver -k 2>/dev/null || true
# Lanes, each under an Xvfb and a Wine prefix of its own (one Wine server has one desktop,
# whose focus two windowed runs would take from each other): the first runs the window suites
# and then end-to-end tests, the others end-to-end tests from the start; a lane claims the next
# test not yet taken. The end-to-end tests mostly wait for windows, so two lanes of them beside
# the suites keep the two cores busy. The other lanes' prefixes are copies made after the
# sample installation went into the project's; their system DLLs, never written while programs
# run, are shared as hard links.
lanes=${MUHE_TEST_LANES:-3}
lane_prefixes=()
for lane in $(seq 2 "$lanes"); do
  prefix="$top/build/wineprefix-lane$lane"
  rm -rf "$prefix"
  mkdir -p "$prefix"
  (cd "$WINEPREFIX" && tar cf - --exclude=./drive_c/windows/system32 .) | (cd "$prefix" && tar xf -)
  cp -al "$WINEPREFIX/drive_c/windows/system32" "$prefix/drive_c/windows/system32"
  lane_prefixes+=("$prefix")
done
claims="$logs/e2e-claims"
rm -rf "$claims" "$logs"/e2e-*.log "$logs/e2e-results"
mkdir -p "$claims"
# The longest first, so that the lanes end close together.
e2e_tests=()
for name in bank_tool viewer chapter installer skin practice byset exam main_menu; do
  [ -f "$top/tests/e2e/${name}_test.sh" ] && e2e_tests+=("$top/tests/e2e/${name}_test.sh")
done
for t in "$top"/tests/e2e/*_test.sh; do
  [[ " ${e2e_tests[*]} " == *" $t "* ]] || e2e_tests+=("$t")
done
# e2e_lane DISPLAY: runs the end-to-end tests no other lane has claimed, one Xvfb each, at the
# first free display from DISPLAY on (the lanes' ranges apart, so that two starting at once
# never pick the same); records "name status seconds" for each in e2e-results.
e2e_lane() {
  local t name one
  for t in "${e2e_tests[@]}"; do
    name=$(basename "$t" .sh)
    mkdir "$claims/$name" 2>/dev/null || continue
    one=$(date +%s.%N)
    xvfb-run -n "$1" -a -s "-screen 0 1280x1024x24" bash "$t" >"$logs/e2e-$name.log" 2>&1
    echo "$name $? $(since "$one")" >>"$logs/e2e-results"
  done
  wineserver -k 2>/dev/null || true
}
begin
pids=()
(
  # No persistent Wine server: the helper processes a Wine start leaves behind keep the output
  # pipe of the test that started them open, and ctest waits for it while they live.
  xvfb-run -n 100 -a -s "-screen 0 1280x1024x24" bash -c "cd '$top/build/win' && ctest --output-on-failure" >"$logs/win.log" 2>&1
  echo $? >"$logs/win.status"
  echo "$(since "$stage_start")" >"$logs/win.time"
  e2e_lane 100
) &
pids+=($!)
for lane in $(seq 2 "$lanes"); do
  (
    export MUHE_WINEPREFIX="${lane_prefixes[$((lane - 2))]}"
    source "$top/scripts/wine-env.sh"
    e2e_lane $((100 * lane))
  ) &
  pids+=($!)
done
wait "${pids[@]}"
end "Windows tests and end-to-end tests ($lanes lanes)"
cat "$logs/win.log"
[ "$(cat "$logs/win.status" 2>/dev/null)" = 0 ] || status=1
times+=("$(cat "$logs/win.time")  Windows tests")
while IFS= read -r line; do times+=("$line"); done < <(ctest_times "$logs/win.log" | grep -v '_unmanaged_windows$')
echo "== end-to-end tests"
passed=0; failed=0
for t in "${e2e_tests[@]}"; do
  name=$(basename "$t" .sh)
  cat "$logs/e2e-$name.log" 2>/dev/null
  rc=1 secs=0
  read -r _ rc secs _ < <(grep "^$name " "$logs/e2e-results" 2>/dev/null)
  if [ "$rc" = 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); status=1; fi
  times+=("$(printf '%8.1f s' "${secs:-0}")    $name")
done
echo "end-to-end: $passed passed, $failed failed"
rm -rf "${lane_prefixes[@]}"
wineserver -k 2>/dev/null || true
stage_start=$run_start
end "the whole test command"
summary
exit $status
