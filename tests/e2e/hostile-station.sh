#!/usr/bin/env bash
# hostile-station.sh DEMO_TOOL PROGRAM FLOODING_NODE
# The console on a station that works against it, started offscreen until it
# closes itself: an emergency playlist of more elements than the playlist
# holds, an I/O node that floods the link with garbage, a history folder
# where files can be written but not created, and a history file whose last
# line has no end. The air must not notice: every element starts on time,
# and nothing written is lost.
set -uo pipefail
tool=$(realpath "$1")
program=$(realpath "$2")
node=$(realpath "$3")
station=$(mktemp -d)
work=$(mktemp -d)
npid=
locked=
cleanup() {
  [ -n "$npid" ] && kill "$npid" 2>/dev/null
  [ "$locked" = chattr ] && chattr -i "$station/HST" 2>/dev/null
  [ "$locked" = chmod ] && chmod 755 "$station/HST" 2>/dev/null
  rm -rf "$station" "$work"
}
trap cleanup EXIT
. "$(dirname "$0")/checks.sh"
fail() {
  echo "FAIL: $*"
  [ -n "${log:-}" ] && [ -f "$log" ] && { echo "--- event log"; iconv -f CP1250 -t UTF-8 "$log" | head -80; }
  [ -f "$work/stderr" ] && { echo "--- standard error"; head -20 "$work/stderr"; }
  exit 1
}

run_s=15
"$node" "$work/port" $((run_s + 30)) >"$work/sent" &
npid=$!
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.1; done
[ -s "$work/port" ] || fail "the flooding node did not start"
port=$(cat "$work/port")

"$tool" "$station" --short >/dev/null || fail "the demo station was not built"

# The I/O node, and the history in a folder of its own.
sed -i "s/^GPI1Jest=.*/GPI1Jest=1\r/; s/^GPI1Port=.*/GPI1Port=$port\r/; s|^KatHST=.*|KatHST=$station/HST\r|" \
  "$station/TOLVANE.INI"

# The emergency playlist: its elements over and over, one past the 10 000
# the playlist holds (only the first few play in this run).
awk 'BEGIN { RS = "\r\n"; ORS = "\r\n" }
     !started { print; if ($0 == "; Pozycje:") started = 1; next }
     /^; -----/ { n++ } { block[n] = block[n] $0 ORS }
     END { for (i = 0; i < 10001; i++) printf "%s", block[i % n + 1] }' \
  "$station/AWARIA.MIX" >"$work/awaria" && mv "$work/awaria" "$station/AWARIA.MIX"
[ "$(grep -c 'KONIEC OPISU' "$station/AWARIA.MIX")" -eq 10001 ] || fail "the long emergency playlist was not made"

# Today's day files already there: a history line cut short before its end,
# an XML schedule with nothing in it yet. Then no file can be created there.
day=$(date +%y_%m_%d)
mkdir "$station/HST"
old_line='07:00:00; C:\MUZYKA\S01.WAV; 100%; 00:03; Linia sprzed awarii'
printf '%s' "$old_line" >"$station/HST/$day.HST"
printf '%s\r\n' \
  '<GSSchedule schemaVersion="2.0.0.0" xmlns:gs_pe="PEContentSchemaGS" xmlns:gs_sl="SLContentSchemaGS" xmlns:gs_s="SongSchemaGS" xmlns:gs_l="LinkSchemaGS" xmlns:gs_b="BreakSchemaGS" xmlns:gs_err="OperationStatusSchemaGS" xmlns="ScheduleSchemaGS">' \
  "<Day scheduledDate=\"$(date +%F)\">" '<Hour scheduledTime="0:00:00" />' '</Day></GSSchedule>' \
  >"$station/HST/$day.XML"
if chattr +i "$station/HST" 2>/dev/null; then locked=chattr
elif [ "$(id -u)" -ne 0 ] && chmod 555 "$station/HST"; then locked=chmod
fi
if [ -n "$locked" ] && touch "$station/HST/probe" 2>/dev/null; then
  rm -f "$station/HST/probe"
  locked=
fi
[ -n "$locked" ] || echo "NOTE: files can be created in any folder here; the in-place XML writing is not exercised"

export QT_QPA_PLATFORM=offscreen TOLVANE_AUDIO=virtual TOLVANE_HOME="$station" TOLVANE_CLOSE_AFTER_S=$run_s
(cd "$station" && timeout 120 "$program" 2>"$work/stderr"); rc=$?
[ $rc -eq 0 ] || fail "the program ended with $rc"
# The node ends when the console's link goes.
for _ in $(seq 50); do kill -0 "$npid" 2>/dev/null || break; sleep 0.1; done
kill "$npid" 2>/dev/null; wait "$npid" 2>/dev/null; npid=

shopt -s nullglob
logs=("$station"/*.LOG)
[ ${#logs[@]} -eq 1 ] || fail "expected one event log, found ${#logs[@]}"
log=${logs[0]}
text=$(iconv -f CP1250 -t UTF-8 "$log") || fail "the log is not Windows-1250"
events=$(sed 's/\r$//; s/->  / /' <<<"$text")
[ "$(tail -n1 <<<"$events" | cut -d' ' -f2-)" = "Prawidłowy koniec pracy" ] || fail "the program did not end well"
! grep -q 'BRAK NAGRANIA\|BŁĄD ODCZYTU\|Błąd pętli' <<<"$text" || fail "an element could not be played"

# ---- the emergency playlist past its size: it played, the message came after ----
grep -q '^Informacja: Brak pamięci na wczytanie całej listy ! | (Maksymalnie 10000' "$work/stderr" ||
  fail "the operator was not told that the emergency playlist was cut"
starts=$(awk '$10 == "START" && $9 == "PROG"' <<<"$events" | wc -l)
[ "$starts" -ge 3 ] || fail "expected at least 3 starts, found $starts"
overlaps=$(count_crossfades)
[ "$overlaps" -ge 2 ] || fail "expected crossfades (a start while another element plays), found $overlaps"

# ---- every element that was waiting for its time started on it ----
# START lines end with the planned start and the on-air time (hh:mm:ss.mmm).
# An element already due when the one before it started is not waiting; any
# other must start within a few ticks of its planned time.
late=$(awk 'function ms(t, a) { split(t, a, "[:.]"); return ((a[1] * 60 + a[2]) * 60 + a[3]) * 1000 + a[4] }
            $10 == "START" {
              p = ms($13); o = ms($14)
              if (seen && p > prev_p && p > prev_o && o - p > 150) print $0 " (" o - p " ms late)"
              prev_p = p; prev_o = o; seen = 1 }' <<<"$events")
[ -z "$late" ] || fail "elements started late: $late"

# ---- the flooding node: read on, said at most once a minute ----
sent=$(cat "$work/sent")
[ "${sent:-0}" -gt $((16 * 1024 * 1024)) ] || fail "the node flooded only ${sent:-0} bytes"
dropped=$(grep -c 'pominięte za długie linie' <<<"$text")
[ "$dropped" -ge 1 ] && [ "$dropped" -le 2 ] || fail "dropped node lines were logged $dropped times"

# ---- the history: the cut line got its end, the new lines follow it ----
hst="$station/HST/$day.HST"
head -c $((${#old_line} + 2)) "$hst" | cmp -s - <(printf '%s\r\n' "$old_line") ||
  fail "the history's last line was not ended before the next one"
history=$(tail -n +2 "$hst" | iconv -f CP1250 -t UTF-8 | sed 's/\r$//')
hst_lines=$(grep -c . <<<"$history")
[ "$hst_lines" -ge 3 ] || fail "expected at least 3 new history lines, found $hst_lines"
check_history_against_log "$history"

# ---- the XML schedule: written in place, every event there, said once ----
schedule=$(iconv -f CP1250 -t UTF-8 "$station/HST/$day.XML")
check_xml_against_history "$schedule" "$history"
if [ -n "$locked" ]; then
  [ "$(grep -c 'XML: bezpieczny zapis zbioru .* niemożliwy' <<<"$text")" -eq 1 ] ||
    fail "the in-place writing of the XML schedule was not said once"
  [ -z "$(ls -A "$station/HST" | grep -v "^$day\.\(HST\|XML\)$")" ] || fail "a file was left in the history folder"
fi
echo "OK: $starts starts, $overlaps crossfades, $hst_lines history lines, $((sent / 1048576)) MB of garbage from the node"
