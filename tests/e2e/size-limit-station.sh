#!/usr/bin/env bash
# size-limit-station.sh DEMO_TOOL PROGRAM UDP_LISTENER
# The console under a file-size limit (1 KB, as `ulimit -f 1` sets it) that
# its event log reaches a few seconds into the air. A write past the limit
# must fail and take its failure path rather than end the program: the
# console plays on, closes itself through its own close path, and what it
# wrote is whole (the log's lines, the XML schedule).
set -uo pipefail
. "$(dirname "$0")/checks.sh"
listener_station "$@"
fail() {
  echo "FAIL: $*"
  [ -n "${log:-}" ] && [ -f "$log" ] && { echo "--- event log"; iconv -f CP1250 -t UTF-8 "$log"; echo; }
  [ -f "$work/stderr" ] && { echo "--- standard error"; head -20 "$work/stderr"; }
  exit 1
}

limit=1024
run_s=12
start_listener $((run_s + 60))
"$tool" "$station" --short --udp-port "$port" >/dev/null || fail "the demo station was not built"

export QT_QPA_PLATFORM=offscreen TOLVANE_AUDIO=virtual TOLVANE_HOME="$station" TOLVANE_CLOSE_AFTER_S=$run_s
(cd "$station" && ulimit -f $((limit / 1024)) && exec timeout 90 "$program" 2>"$work/stderr"); rc=$?
check_closed_itself $rc "$work/stderr"
sleep 1
kill "$lpid" 2>/dev/null; wait "$lpid" 2>/dev/null; lpid=

find_log
size=$(stat -c %s "$log")
# The log met the limit: a line did not fit, and every line there is whole.
[ "$size" -le $limit ] && [ "$size" -gt $((limit - 200)) ] || fail "the log did not meet the limit: $size bytes"
[ "$(tail -c 2 "$log" | od -An -tx1 | tr -d ' \n')" = 0d0a ] || fail "the log's last line was cut"
bad=$(tr -d '\r' <"$log" | grep -avc '^[0-9][0-9]:[0-9][0-9]:[0-9][0-9]->  ')
[ "$bad" -eq 0 ] || fail "$bad lines of the log are not whole lines"

# Elements went on starting after the log's first failed write.
log_starts=$(grep -ac ' START ' "$log")
udp_starts=$(grep -ac '|AKC=START|' "$work/udp")
[ "$udp_starts" -gt "$log_starts" ] ||
  fail "no element started after the log was full ($udp_starts START datagrams, $log_starts START lines)"

# A rewrite past the limit kept the old schedule whole, and no temporary.
xml=("$station"/*.XML)
[ ${#xml[@]} -eq 1 ] && [ "$(tail -n1 "${xml[0]}")" = $'</Day></GSSchedule>\r' ] ||
  fail "the XML schedule does not end with its closing line"
[ -z "$(find "$station" -name '.*.zapis-*')" ] || fail "a temporary file was left"
echo "OK: log of $size bytes with whole lines, $udp_starts starts ($log_starts logged before it was full)"
