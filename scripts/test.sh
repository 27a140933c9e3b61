#!/usr/bin/env bash
# The project's one test command: set-up, both builds, the host suites, the Windows suites
# under Wine inside one Xvfb, and the end-to-end tests. Every suite runs even when an earlier
# one failed; the exit status is non-zero if any failed.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh" || exit 1
bash "$top/scripts/build.sh" || { echo "build failed" >&2; exit 1; }
bash "$top/scripts/sample.sh" >/dev/null || { echo "writing the sample installation failed" >&2; exit 1; }

status=0
echo "== host tests"
(cd "$top/build/host" && ctest --output-on-failure -j2) || status=1

echo "== Windows tests (Wine)"
source "$top/scripts/wine-env.sh"
wineserver -k 2>/dev/null || true
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "cd '$top/build/win' && ctest --output-on-failure" || status=1

if [ -d "$top/tests/e2e" ] && ls "$top"/tests/e2e/*_test.sh >/dev/null 2>&1; then
  echo "== end-to-end tests"
  passed=0; failed=0
  for t in "$top"/tests/e2e/*_test.sh; do
    if xvfb-run -a -s "-screen 0 1280x1024x24" bash "$t"; then passed=$((passed + 1)); else failed=$((failed + 1)); status=1; fi
  done
  echo "end-to-end: $passed passed, $failed failed"
fi
wineserver -k 2>/dev/null || true
exit $status
