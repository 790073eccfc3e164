#!/usr/bin/env bash
# demo-station.sh DEMO_TOOL PROGRAM UDP_LISTENER
# Builds a short-element demo station in a temporary folder whose datagrams
# go to a listener on 127.0.0.1, runs the console on it until it closes
# itself, and checks that the event log, the history, the XML schedule and
# the datagrams tell the same story of what went on air.
set -uo pipefail
. "$(dirname "$0")/checks.sh"
listener_station "$@"
fail() {
  echo "FAIL: $*"
  [ -n "${log:-}" ] && [ -f "$log" ] && { echo "--- event log"; iconv -f CP1250 -t UTF-8 "$log"; }
  [ -f "$work/udp" ] && { echo "--- datagrams"; iconv -f CP1250 -t UTF-8 "$work/udp" | cut -c1-160; }
  exit 1
}

# The program runs this long before it closes itself; the listener outlives it.
run_s=15
start_listener $((run_s + 60))

"$tool" "$station" --short --udp-port "$port" >/dev/null || fail "the demo station was not built"
[ -f "$station/TOLVANE.INI" ] && [ -f "$station/AWARIA.MIX" ] && [ -f "$station/TolvaneAwaria.FLG" ] ||
  fail "the demo station lacks its settings, playlist or flag file"
# Every key once, as its section writes it: the emergency start on.
[ "$(grep -c '^AwariaStartJest=' "$station/TOLVANE.INI")" = 1 ] && grep -q $'^AwariaStartJest=1\r$' "$station/TOLVANE.INI" ||
  fail "the emergency start is not written once, as 1: $(grep -a '^AwariaStartJest=' "$station/TOLVANE.INI" | tr -d '\r' | tr '\n' ' ')"
for w in "$station"/audio/*/*.WAV; do
  [ -f "${w%.WAV}.OBW" ] || fail "no envelope beside $w"
done
# Its jingles as a singles set and its adverts as a time list due two minutes
# on, in the folders its browsers open on.
sin=$station/audio/JINGLE/JINGLE.SIN
[ "$(wc -l <"$sin")" = 24 ] && [ "$(sed -n 2p "$sin")" = $'C:\\JINGLE\\J01.WAV\r' ] || fail "the singles set: $(tr -d '\r' <"$sin")"
lst=$(tr -d '\r' <"$station/audio/REKLAMY/REKLAMY.LST")
# The first entry at h:mm:00 two minutes after the minute it was built in.
t=$(sed -n 1p <<<"$lst" | cut -c1-8)
now=$(( $(date +%s) / 60 * 60 ))
{ [ "$t" = "$(date -d "@$((now + 120))" +%k:%M:00)" ] || [ "$t" = "$(date -d "@$((now + 60))" +%k:%M:00)" ]; } &&
  [ "$(sed -n 2p <<<"$lst")" = 'C:\REKLAMY\R01.WAV' ] || fail "the time list: $lst"
for k in 'KatMuzyka1=C:\' 'KatLista1=C:\REKLAMY' 'SingleOdczytKatalogiJest=1' 'SingleKatAdres1=C:\JINGLE' 'KatAdres1=C:\MUZYKA'; do
  grep -qxF "$k"$'\r' "$station/TOLVANE.INI" || fail "the settings lack $k"
done

# What saves cut short by an earlier end left behind: the start removes the
# program's own temporaries, and nothing else.
touch -d '1 hour ago' "$station/.AWARIA.MIX.zapis-3fa9c1" "$station/.TOLVANE.INI.zapis-b" "$station/.notatki.zapis-nowe"

export QT_QPA_PLATFORM=offscreen TOLVANE_AUDIO=virtual TOLVANE_RELAY=simulated TOLVANE_HOME="$station" TOLVANE_CLOSE_AFTER_S=$run_s
(cd "$station" && timeout 90 "$program" 2>"$work/stderr"); rc=$?
cat "$work/stderr" >&2
check_closed_itself $rc "$work/stderr"
# The last datagrams were sent before the program ended; give the listener
# a moment to write them down, then stop it.
sleep 1
kill "$lpid" 2>/dev/null; wait "$lpid" 2>/dev/null; lpid=

find_log
text=$(iconv -f CP1250 -t UTF-8 "$log") || fail "the log is not Windows-1250"
line() { sed -n "$1p" <<<"$text" | sed 's/^[0-9][0-9]:[0-9][0-9]:[0-9][0-9]->  //; s/\r$//'; }

[ "$(line 1)" = "$(printf '#%.0s' $(seq 60))" ] || fail "first log line: $(line 1)"
[ "$(line 2)" = "Uruchomienie programu Tolvane v.21.08.27           Stanowisko nr: 1 - Demo" ] ||
  fail "second log line: $(line 2)"
[ "$(line 3)" = "Katalog początkowy: $(cd "$station" && pwd -P)" ] || [ "$(line 3)" = "Katalog początkowy: $station" ] ||
  fail "third log line: $(line 3)"
[ "$(line '$')" = "Prawidłowy koniec pracy" ] || fail "last log line: $(line '$')"
! grep -q 'BRAK NAGRANIA\|BŁĄD ODCZYTU' <<<"$text" || fail "an element of the demo station could not be played"
[ "$(cd "$station" && ls -A | grep zapis)" = .notatki.zapis-nowe ] && grep -q -- '->  Usunięte zbiory tymczasowe przerwanych zapisów: 2'$'\r''$' <<<"$text" ||
  fail "the temporaries of cut saves were not removed and counted: $(cd "$station" && ls -A | grep zapis | tr '\n' ' ')"
grep -q -- '->  Karta I/O otwarta: symulowana, wyjścia ' <<<"$text" || fail "the log does not name the simulated relay card"
[ "$(head -c 8 "$station/relay-outputs.txt" 2>/dev/null)" = "00000000" ] || fail "the simulated relay card's outputs are not cleared"

# Log lines as fields: the time of day, the seven state words (desk, SAT,
# AutoStop, Automat, players 1-3), the source word, then START / STOP / DO.
events=$(sed 's/\r$//; s/->  / /' <<<"$text")

# ---- the broadcast: Automat, elements ended by the program, crossfades ----
automat_starts=$(awk '$10 == "START" && $5 == "1"' <<<"$events" | wc -l)
[ "$automat_starts" -ge 3 ] || fail "expected at least 3 starts in Automat, found $automat_starts"
ended=$(awk '$10 == "STOP" && $9 == "PROG"' <<<"$events" | wc -l)
[ "$ended" -ge 3 ] || fail "expected at least 3 elements played to their end, found $ended"
# A crossfade: an element starts while another one is still on air.
overlaps=$(count_crossfades)
[ "$overlaps" -ge 2 ] || fail "expected crossfades (a start while another element plays), found $overlaps"

# ---- the history against the log ----
hst=("$station"/*.HST)
[ ${#hst[@]} -eq 1 ] || fail "expected one history file, found ${#hst[@]}"
history=$(iconv -f CP1250 -t UTF-8 "${hst[0]}" | sed 's/\r$//') || fail "the history is not Windows-1250"
hst_lines=$(grep -c . <<<"$history")
[ "$hst_lines" -ge 3 ] || fail "expected at least 3 history lines, found $hst_lines"
check_history_against_log "$history"

# ---- the XML schedule against the history ----
xml=("$station"/*.XML)
[ ${#xml[@]} -eq 1 ] || fail "expected one XML schedule, found ${#xml[@]}"
schedule=$(iconv -f CP1250 -t UTF-8 "${xml[0]}") || fail "the XML schedule is not Windows-1250"
check_xml_against_history "$schedule" "$history"

# ---- the datagrams against the log ----
[ -s "$work/udp" ] || fail "no datagram arrived"
udp=$(iconv -f CP1250 -t UTF-8 "$work/udp") || fail "the datagrams are not Windows-1250"
awk '$1 != 504 && $1 != 1400 { bad = 1 } END { exit bad }' <<<"$udp" || fail "a datagram of a wrong size"
field() { awk -F'|' -v k="$1" '{ for (i = 1; i <= NF; i++) if (index($i, k "=") == 1) print substr($i, length(k) + 2) }'; }
# Heartbeats of this workstation, in Automat.
beats=$(grep '|WER=' <<<"$udp")
[ -n "$beats" ] || fail "no heartbeat datagram"
grep -q '^504 STA=Demo|' <<<"$beats" || fail "the heartbeat does not carry the workstation's Id"
grep -q '|AUT=1|' <<<"$beats" || fail "no heartbeat shows Automat on"
grep -q '|AST=1|' <<<"$beats" || fail "no heartbeat shows AutoStop on (it starts from the settings)"
grep -q '^1400 STA=Demo|' <<<"$udp" || fail "no monitor datagram"
# STOP is always sent: one per STOP line of players 1 to 3, in the same order.
log_stops=$(awk '$10 == "STOP" && $11 <= 3 { print $11 }' <<<"$events")
udp_stops=$(grep '|AKC=STOP|' <<<"$udp" | field PLA)
[ "$log_stops" = "$udp_stops" ] ||
  fail "STOP datagrams for players ($(echo $udp_stops)) differ from the log's STOP lines ($(echo $log_stops))"
# The next element to play: one item datagram per "DO GRANIA" log line.
log_next=$(awk '$10 == "DO" && $11 == "GRANIA" { print $12 }' <<<"$events")
udp_next=$(grep '|AKC=DO GRANIA|' <<<"$udp" | field IDE)
[ -n "$log_next" ] && [ "$log_next" = "$udp_next" ] ||
  fail "DO GRANIA datagrams ($(echo $udp_next)) differ from the log ($(echo $log_next))"
# Without desk polling nothing holds the player datagrams back: one START per
# START line of players 1 to 3, in the same order.
log_starts=$(awk '$10 == "START" && $11 <= 3 { print $11 }' <<<"$events")
udp_starts=$(grep '|AKC=START|' <<<"$udp" | field PLA)
[ -n "$log_starts" ] && [ "$log_starts" = "$udp_starts" ] ||
  fail "START datagrams for players ($(echo $udp_starts)) differ from the log's START lines ($(echo $log_starts))"
echo "OK: $automat_starts starts in Automat, $overlaps crossfades, $hst_lines history lines, $(grep -c . <<<"$udp") datagrams"
