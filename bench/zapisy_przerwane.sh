#!/usr/bin/env bash
# zapisy_przerwane.sh [KILLS] [PROGRAM] [DEMO_TOOL]
# The console killed in the middle of its saves, again and again, as a
# crash loop would kill it. The short demo station gets a day's XML schedule
# of 30 MB, which every element's end rewrites whole through a temporary
# file beside it; the program is started on it and killed (SIGKILL) as soon
# as a save's temporary (".NAME.zapis-...") appears. Gives the temporaries
# left in the station after KILLS kills (50 by default), and how many of
# them are still there after one more start. Build first: cmake --build
# build/release.
set -euo pipefail
cd "$(dirname "$0")/.."
kills=${1:-50}
program=$(realpath "${2:-build/release/src/console/tolvane}")
tool=$(realpath "${3:-build/release/tools/demo-station/tolvane-demo-station}")
station=$(mktemp -d)
marker=$(mktemp)
pid=
cleanup() { [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$station" "$marker"; }
trap cleanup EXIT

"$tool" "$station" --short >/dev/null
{
  printf '%s\r\n' '<GSSchedule schemaVersion="2.0.0.0" xmlns:gs_pe="PEContentSchemaGS" xmlns:gs_sl="SLContentSchemaGS" xmlns:gs_s="SongSchemaGS" xmlns:gs_l="LinkSchemaGS" xmlns:gs_b="BreakSchemaGS" xmlns:gs_err="OperationStatusSchemaGS" xmlns="ScheduleSchemaGS">' \
    "<Day scheduledDate=\"$(date +%F)\">" '<Hour scheduledTime="0:00:00" />'
  awk -v d="$(date +%F)" 'BEGIN { for (i = 0; i < 250000; i++)
    printf "<Event entryType=\"Song\" status=\"Happened\" airDate=\"%s\" airTime=\"00:00:00\" duration=\"1\" editCode=\"0\" failureCode=\"0\"></Event>\r\n", d }'
  printf '%s\r\n' '</Day></GSSchedule>'
} >"$station/$(date +%y_%m_%d).XML"

export QT_QPA_PLATFORM=offscreen TOLVANE_AUDIO=virtual TOLVANE_HOME="$station"
# The temporaries in the station; with "new", only those made since the marker.
temporaries() { find "$station" -name '.*.zapis-*' ${1:+-newer "$marker"} | wc -l; }
start() {
  touch "$marker"
  (cd "$station" && exec "$program" 2>/dev/null) &
  pid=$!
}

for i in $(seq "$kills"); do
  start
  # Until a save is under way (30 s at most).
  for _ in $(seq 6000); do [ "$(temporaries new)" -gt 0 ] && break; sleep 0.005; done
  kill -9 "$pid" 2>/dev/null || echo "start $i: the program had ended by itself" >&2
  wait "$pid" 2>/dev/null || true
  pid=
done
left=$(temporaries)
kib=$(find "$station" -name '.*.zapis-*' -printf '%s\n' | awk '{ s += $1 } END { print int(s / 1024) }')

# One more start: what was left before it, still there 5 s later.
start
sleep 5
after=$(find "$station" -name '.*.zapis-*' ! -newer "$marker" | wc -l)
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
pid=
echo "$kills kills during saves: $left temporaries left ($kib KiB); after one more start: $after"
