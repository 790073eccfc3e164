# Checks shared by the end-to-end scripts (sourced). They read the event log
# as fields from $events (time, seven state words, source word, START / STOP
# ...) and report through the script's own fail.

# The arguments DEMO_TOOL PROGRAM UDP_LISTENER as tool, program and
# listener; a station folder and a work folder, removed at the end with the
# listener stopped.
listener_station() {
  tool=$(realpath "$1")
  program=$(realpath "$2")
  listener=$(realpath "$3")
  station=$(mktemp -d)
  work=$(mktemp -d)
  lpid=
  trap '[ -n "$lpid" ] && kill "$lpid" 2>/dev/null; rm -rf "$station" "$work"' EXIT
}

# The UDP listener ($listener) for $1 seconds, writing $work/udp; sets lpid
# (for the script's cleanup) and port.
start_listener() {
  "$listener" "$work/port" "$work/udp" "$1" &
  lpid=$!
  for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.1; done
  [ -s "$work/port" ] || fail "the UDP listener did not start"
  port=$(cat "$work/port")
}

# How many elements started while another one still played.
count_crossfades() {
  awk '$10 == "START" { for (s in busy) if (busy[s]) { n++; break } busy[$11] = 1 }
       $10 == "STOP" { busy[$11] = 0 } END { print n + 0 }' <<<"$events"
}

# Each history line ($1: the lines) names a file the log started at that
# second (or the next: the clock may turn between the start and its line).
check_history_against_log() {
  local h t path
  while IFS= read -r h; do
    t=$(cut -d';' -f1 <<<"$h" | tr -d ' ')
    path=$(cut -d';' -f2 <<<"$h" | sed 's/^ //')
    awk -v t="$t" -v p="$path" '
      function sec(x, a) { split(x, a, ":"); return a[1] * 3600 + a[2] * 60 + a[3] }
      $10 == "START" && $12 == p { d = sec($1) - sec(t); if (d >= 0 && d <= 1) found = 1 }
      END { exit !found }' <<<"$events" || fail "history line without its START in the log: $h"
  done <<<"$1"
}

# The XML schedule ($1) holds one event per history line ($2), in order.
check_xml_against_history() {
  local xml_ids hst_ids
  tail -n1 <<<"$1" | grep -q '^</Day></GSSchedule>' || fail "the XML schedule does not end with its closing line"
  xml_ids=$(grep -o '<gs_pe:Media ID="[^"]*"' <<<"$1" | sed 's/.*ID="//; s/"$//')
  hst_ids=$(cut -d';' -f2 <<<"$2" | sed 's/.*\\//; s/\.[^.]*$//')
  [ "$xml_ids" = "$hst_ids" ] || fail "XML events ($(echo $xml_ids)) differ from the history ($(echo $hst_ids))"
}

# The program ran until it closed itself ($1: its exit code, $2: its standard
# error): it ended well, through its own close path (which refused to close
# while a player played), and left no lock file in $station.
check_closed_itself() {
  [ "$1" -eq 0 ] || fail "the program ended with $1"
  grep -q '^Zamknięcie odrzucone: odtwarzacz gra$' "$2" || fail "closing was not refused while a player played"
  [ ! -e "$station/tolvane.lock" ] || fail "the program left its lock file"
}

# The station's one event log, in $log; from here on a pattern that matches
# no file is empty.
find_log() {
  local logs
  shopt -s nullglob
  logs=("$station"/*.LOG)
  [ ${#logs[@]} -eq 1 ] || fail "expected one event log, found ${#logs[@]}"
  log=${logs[0]}
}
