#!/usr/bin/env bash
# demo-station.sh DEMO_TOOL PROGRAM
# Builds a short-element demo station in a temporary folder, runs the
# console on it for a few seconds, lets it close itself and checks its log
# (and its history once elements play).
set -uo pipefail
tool=$(realpath "$1")
program=$(realpath "$2")
station=$(mktemp -d)
trap 'rm -rf "$station"' EXIT
fail() { echo "FAIL: $*"; [ -n "${log:-}" ] && [ -f "$log" ] && iconv -f CP1250 -t UTF-8 "$log"; exit 1; }

"$tool" "$station" --short || fail "the demo station was not built"
[ -f "$station/TOLVANE.INI" ] && [ -f "$station/AWARIA.MIX" ] && [ -f "$station/TolvaneAwaria.FLG" ] ||
  fail "the demo station lacks its settings, playlist or flag file"

export QT_QPA_PLATFORM=offscreen TOLVANE_AUDIO=virtual TOLVANE_HOME="$station" TOLVANE_CLOSE_AFTER_S=3
(cd "$station" && timeout 60 "$program"); rc=$?
[ $rc -eq 0 ] || fail "the program ended with $rc"
[ ! -e "$station/tolvane.lock" ] || fail "the program left its lock file"

shopt -s nullglob
logs=("$station"/*.LOG)
[ ${#logs[@]} -eq 1 ] || fail "expected one event log, found ${#logs[@]}"
log=${logs[0]}
text=$(iconv -f CP1250 -t UTF-8 "$log") || fail "the log is not Windows-1250"
line() { sed -n "$1p" <<<"$text" | sed 's/^[0-9][0-9]:[0-9][0-9]:[0-9][0-9]->  //; s/\r$//'; }

[ "$(line 1)" = "$(printf '#%.0s' $(seq 60))" ] || fail "first log line: $(line 1)"
[ "$(line 2)" = "Uruchomienie programu Tolvane v.21.08.27           Stanowisko nr: 1 - Demo" ] ||
  fail "second log line: $(line 2)"
[ "$(line 3)" = "Katalog początkowy: $(cd "$station" && pwd -P)" ] || [ "$(line 3)" = "Katalog początkowy: $station" ] ||
  fail "third log line: $(line 3)"
[ "$(line '$')" = "Prawidłowy koniec pracy" ] || fail "last log line: $(line '$')"

# Once the engine plays the emergency playlist, what went on air is in the
# history and the XML schedule.
if grep -q 'START' <<<"$text"; then
  hst=("$station"/*.HST "$station"/*.hst)
  [ ${#hst[@]} -ge 1 ] || fail "elements played but there is no history file"
  xml=("$station"/*.XML "$station"/*.xml)
  [ ${#xml[@]} -ge 1 ] || fail "elements played but there is no XML schedule"
fi
echo "OK"
