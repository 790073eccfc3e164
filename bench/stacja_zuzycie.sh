#!/usr/bin/env bash
# stacja_zuzycie.sh [SECONDS] [PROGRAM] [DEMO_TOOL]
# What the release console costs on the demo station while nobody touches
# it: a fresh demo station (as run.sh builds it), the program offscreen on
# the virtual sound device playing its day in Automat. After 15 s of
# settling, CPU time (utime + stime from /proc) is taken over SECONDS (180
# by default) and given as a share of one core; the resident memory is
# sampled every second (median, p99 and max of VmRSS) and the peak (VmHWM)
# is read at the end. Build first: cmake --build build/release.
# ELEMENTS=N makes the day's list N elements long (the demo's elements over
# and over), to show what a long list costs while nothing happens.
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${1:-180}
program=$(realpath "${2:-build/release/src/console/tolvane}")
tool=$(realpath "${3:-build/release/tools/demo-station/tolvane-demo-station}")
station=$(mktemp -d)
pid=
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$station"; }
trap cleanup EXIT

"$tool" "$station" >/dev/null
if [ -n "${ELEMENTS:-}" ]; then
  awk -v n="$ELEMENTS" '
    /^Emi=/ { body = 1 }
    !body { if ($0 ~ /^POZYCJI=/) printf "POZYCJI=%d\r\n", n; else print; next }
    { blk = blk $0 "\n" }
    /^KONIEC OPISU/ { b[++k] = blk; blk = "" }
    END { for (i = 0; i < n; i++) printf "%s", b[i % k + 1] }' "$station/AWARIA.MIX" >"$station/lista" &&
    mv "$station/lista" "$station/AWARIA.MIX"
fi
settle=15
export QT_QPA_PLATFORM=offscreen TOLVANE_AUDIO=virtual TOLVANE_RELAY=simulated TOLVANE_HOME="$station"
export TOLVANE_CLOSE_AFTER_S=$((settle + secs + 5))
(cd "$station" && exec "$program" 2>/dev/null) &
pid=$!

ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
kib() { awk -v k="$1:" '$1 == k { print $2 }' "/proc/$pid/status"; }

sleep "$settle"
start=$(ticks)
t0=$(date +%s.%N)
rss=()
for _ in $(seq "$secs"); do
  sleep 1
  rss+=("$(kib VmRSS)")
done
end=$(ticks)
t1=$(date +%s.%N)
hwm=$(kib VmHWM)
hz=$(getconf CLK_TCK)

awk -v a="$start" -v b="$end" -v hz="$hz" -v t0="$t0" -v t1="$t1" 'BEGIN {
  printf "CPU over %.0f s: %.2f %% of one core (%d ticks of 1/%d s)\n", t1 - t0, 100 * (b - a) / hz / (t1 - t0), b - a, hz }'
printf '%s\n' "${rss[@]}" | sort -n | awk -v hwm="$hwm" '{ v[NR] = $1 } END {
  p99 = v[int(0.99 * (NR - 1) + 1.5)]
  printf "VmRSS MiB: median %.1f, p99 %.1f, max %.1f; VmHWM %.1f\n", v[int((NR + 1) / 2)] / 1024, p99 / 1024, v[NR] / 1024, hwm / 1024 }'
wait "$pid" || true
pid=
