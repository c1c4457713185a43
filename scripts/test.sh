#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests and benchmarks' build, the Windows
# build with its tests under Wine, and short fuzzing runs. Ends with one summary line.
#   VELA_FUZZ_SECONDS=N   length of each fuzzing run (default 20)
#   VELA_SKIP_FUZZ=1      leave the fuzzing build out
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/setup.sh || exit 1
source scripts/wine-env.sh

jobs=$(nproc)
presets=(native windows)
if [ -z "${VELA_SKIP_FUZZ:-}" ] && command -v clang++ >/dev/null; then presets+=(fuzz); fi

for p in "${presets[@]}"; do
  echo "== configure and build: $p"
  if ! log=$(cmake --preset "$p" -DVELA_WERROR=ON 2>&1); then
    echo "$log"; echo "configure failed: $p"; echo "0 passed, 1 failed"; exit 1
  fi
  cmake --build --preset "$p" -j "$jobs" || { echo "build failed: $p"; echo "0 passed, 1 failed"; exit 1; }
done

cleanup() {
  "${vela_wine%/*}/wineserver" -k 2>/dev/null || wineserver -k 2>/dev/null || true
  [ -n "${VELA_STARTED_XVFB:-}" ] && kill "$VELA_STARTED_XVFB" 2>/dev/null
  [ -n "${VELA_STARTED_XVFB:-}" ] && wait "$VELA_STARTED_XVFB" 2>/dev/null
  true
}
trap cleanup EXIT

vela_ensure_display || exit 1
vela_prepare_prefix
# Keep one wineserver alive for the whole run so that every test does not start its own.
# Its helper processes start here, detached from every test's output.
wineserver -p >/dev/null 2>&1 </dev/null || true
"$vela_wine" cmd /c exit >/dev/null 2>&1 </dev/null || true

passed=0; failed=0; skipped=0; status=0
for p in "${presets[@]}"; do
  echo "== tests: $p"
  junit="$root/build/$p/ctest-results.xml"
  cases="$root/build/$p/gtest-results"
  rm -rf "$junit" "$cases"
  ctest --preset "$p" --output-junit "$junit" -j "$([ "$p" = windows ] && echo 1 || echo "$jobs")" \
    || status=1
  if [ -f "$junit" ]; then
    # A CTest entry that ran a GoogleTest program under Wine counts as the cases it ran (from
    # its own XML report); an entry without one (a script, a program that died) counts as one.
    read -r t f s < <(python3 - "$junit" "$cases" <<'PY'
import os, sys, xml.etree.ElementTree as ET
def suites(path):
    r = ET.parse(path).getroot()
    return [r] if r.tag == "testsuite" else r.findall("testsuite")
t = f = k = 0
for case in (c for s in suites(sys.argv[1]) for c in s.iter("testcase")):
    failed = case.find("failure") is not None or case.find("error") is not None
    skipped = case.find("skipped") is not None
    report = os.path.join(sys.argv[2], case.get("name", "") + ".xml")
    if os.path.isfile(report):
        try:
            inner = suites(report)
            ct = sum(int(s.get("tests", 0)) for s in inner)
            cf = sum(int(s.get("failures", 0)) + int(s.get("errors", 0)) for s in inner)
            ck = sum(int(s.get("skipped", 0)) + int(s.get("disabled", 0)) for s in inner)
        except ET.ParseError:
            ct, cf, ck = 1, 1, 0
        # The program can fail after its cases passed (a crash at exit): that is a failure too.
        if failed and cf == 0:
            ct, cf = ct + 1, 1
        t, f, k = t + ct, f + cf, k + ck
    else:
        t, f, k = t + 1, f + int(failed), k + int(skipped)
print(t, f, k)
PY
    )
    passed=$((passed + t - f - s)); failed=$((failed + f)); skipped=$((skipped + s))
  else
    failed=$((failed + 1))
  fi
done

line="$passed passed, $failed failed"
[ "$skipped" -gt 0 ] && line="$line, $skipped skipped"
echo "$line"
[ "$status" -eq 0 ] && [ "$failed" -eq 0 ]
