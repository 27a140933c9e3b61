#!/usr/bin/env bash
# The project's one test command: set-up, both builds, the host suites, then the Windows suites
# under Wine and the end-to-end tests side by side (MUHE_TEST_LANES, default 3, lanes with an
# Xvfb and a Wine prefix of their own). Every suite runs even when an earlier one failed; the exit status
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

echo "== Windows suites (Wine) and end-to-end tests, side by side"
source "$top/scripts/wine-env.sh"
wineserver -k 2>/dev/null || true
# Lanes, each under an Xvfb and a Wine prefix of its own (one Wine server has one desktop,
# whose focus two windowed runs would take from each other), take jobs from one queue: each
# Windows suite and each end-to-end test, the longest first. The end-to-end tests mostly wait
# for windows, so three lanes keep the two cores busy. The window suites' "unmanaged windows"
# setting goes into the project's prefix first; the other lanes' prefixes are copies of it made
# after that and after the sample installation went into it, their system DLLs (never written
# while programs run) shared as hard links.
xvfb-run -n 100 -a -s "-screen 0 1280x1024x24" bash -c "cd '$top/build/win' && ctest -R '^unmanaged_windows\$'" >"$logs/win-unmanaged.log" 2>&1 ||
  { cat "$logs/win-unmanaged.log"; status=1; }
lanes=${MUHE_TEST_LANES:-3}
lane_prefixes=("$WINEPREFIX")
for lane in $(seq 2 "$lanes"); do
  prefix="$top/build/wineprefix-lane$lane"
  rm -rf "$prefix"
  mkdir -p "$prefix"
  (cd "$WINEPREFIX" && tar cf - --exclude=./drive_c/windows/system32 .) | (cd "$prefix" && tar xf -)
  cp -al "$WINEPREFIX/drive_c/windows/system32" "$prefix/drive_c/windows/system32"
  lane_prefixes+=("$prefix")
done
claims="$logs/claims"
rm -rf "$claims" "$logs"/win-*.log "$logs"/e2e-*.log "$logs/results"
mkdir -p "$claims"
suites=$(cd "$top/build/win" && ctest -N | sed -nE 's/^ *Test +#[0-9]+: ([^ ]+)$/\1/p' | grep -vx unmanaged_windows)
e2e_tests=$(cd "$top/tests/e2e" && ls *_test.sh | sed 's/\.sh$//')
jobs=()
for job in suite:skin_window_tests e2e:viewer_test e2e:bank_tool_test e2e:chapter_test e2e:installer_test \
  suite:practice_tests e2e:skin_test e2e:practice_test e2e:byset_test suite:card_tests; do
  grep -qx "${job#*:}" <<<"$suites"$'\n'"$e2e_tests" && jobs+=("$job")
done
for name in $suites; do [[ " ${jobs[*]} " == *" suite:$name "* ]] || jobs+=("suite:$name"); done
for name in $e2e_tests; do [[ " ${jobs[*]} " == *" e2e:$name "* ]] || jobs+=("e2e:$name"); done
# lane DISPLAY: runs the jobs no other lane has claimed, one Xvfb each, at the first free
# display from DISPLAY on (the lanes' ranges apart, so that two starting at once never pick the
# same); records "job status seconds" for each in `results`.
lane() {
  local job name one
  for job in "${jobs[@]}"; do
    name=${job#*:}
    mkdir "$claims/$name" 2>/dev/null || continue
    one=$(date +%s.%N)
    if [ "${job%%:*}" = suite ]; then
      # No persistent Wine server: the helper processes a Wine start leaves behind keep the
      # output pipe of the test that started them open, and ctest waits for it while they live.
      # The server ends with the suite's display, as it does in every end-to-end test.
      xvfb-run -n "$1" -a -s "-screen 0 1280x1024x24" bash -c "cd '$top/build/win' &&
        ctest -R '^$name\$' -FA '.*' --output-on-failure; rc=\$?; wineserver -k 2>/dev/null; exit \$rc" >"$logs/win-$name.log" 2>&1
    else
      xvfb-run -n "$1" -a -s "-screen 0 1280x1024x24" bash "$top/tests/e2e/$name.sh" >"$logs/e2e-$name.log" 2>&1
    fi
    echo "$job $? $(since "$one")" >>"$logs/results"
  done
  wineserver -k 2>/dev/null || true
}
begin
pids=()
for n in $(seq 1 "$lanes"); do
  (
    export MUHE_WINEPREFIX="${lane_prefixes[$((n - 1))]}"
    source "$top/scripts/wine-env.sh"
    lane $((100 * n))
  ) &
  pids+=($!)
done
wait "${pids[@]}"
end "Windows suites and end-to-end tests ($lanes lanes)"
# job_result JOB LOG: prints the job's log, counts it, records its time.
passed=0; failed=0
job_result() {
  local rc=1 secs=0
  cat "$2" 2>/dev/null
  read -r _ rc secs _ < <(grep "^$1 " "$logs/results" 2>/dev/null)
  if [ "$rc" = 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); status=1; fi
  times+=("$(printf '%8.1f s' "${secs:-0}")    ${1#*:}")
}
echo "== Windows suites"
for name in $suites; do job_result "suite:$name" "$logs/win-$name.log"; done
echo "Windows suites: $passed passed, $failed failed"
echo "== end-to-end tests"
passed=0; failed=0
for name in $e2e_tests; do job_result "e2e:$name" "$logs/e2e-$name.log"; done
echo "end-to-end: $passed passed, $failed failed"
rm -rf "${lane_prefixes[@]:1}"
wineserver -k 2>/dev/null || true
stage_start=$run_start
end "the whole test command"
summary
exit $status
