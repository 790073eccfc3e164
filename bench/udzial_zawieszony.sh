#!/usr/bin/env bash
# udzial_zawieszony.sh [-n MS] [-t S] [-z S]
# The console when its music folder is a network share that hangs. The
# release program plays the demo station with its music folder behind the
# shim of udzial_sieciowy.sh (udzial_sieciowy_shim.c), answering in MS ms
# (-n, 10 by default); after T s on air (-t, 5) every call on the share
# hangs (the shim's UDZIAL_ZAWIESZENIE file is made) and stays hung; Z s
# later (-z, 15) the program gets SIGTERM, the share still hung. The loop's
# heartbeat is the monitor datagram, every 100 ms from the loop's thread.
# It gives the largest gap between heartbeats while the share hangs (goal
# under 150 ms), what the decks did meanwhile (the log's lines of a deck
# with nothing to play, the starts and stops), the time from SIGTERM to the
# end of the process (goal under 5 s) and what the close left behind (the
# signal's and the closing log lines, the history lines, the lock file).
# Needs cc; builds the release program (build/release) first.
# UDZIAL_ZOSTAW=1 keeps the work folder (logs) and names it.
set -euo pipefail
cd "$(dirname "$0")/.."
ms=10 na_antenie=5 zawieszony=15
while getopts "n:t:z:" o; do
  case $o in
    n) ms=$OPTARG ;; t) na_antenie=$OPTARG ;; z) zawieszony=$OPTARG ;;
    *) sed -n '2p' "$0" >&2; exit 2 ;;
  esac
done
command -v cc >/dev/null || { echo "missing cc" >&2; exit 1; }

przed_sprzataniem() { rm -f "$work/zawieszenie"; }
sygnal_sprzatania=-9
. bench/udzial_wspolne.sh

"$work/odbior" "$work/port" "$work/udp" "IDE=-" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.1; done
st=$work/stacja
"$tool" "$st" --udp-port "$(cat "$work/port")" >/dev/null
sed -i "s|^UDPBroadcastMonitorInterwalS=.*|UDPBroadcastMonitorInterwalS=1\r|" "$st/TOLVANE.INI"

( cd "$st" && exec env QT_QPA_PLATFORM=offscreen TOLVANE_AUDIO=virtual TOLVANE_RELAY=simulated TOLVANE_HOME="$st" \
    UDZIAL_FOLDERY="$st/audio:$st/drives/c" UDZIAL_MS="$ms" UDZIAL_LOG="$work/udzial.log" \
    UDZIAL_ZAWIESZENIE="$work/zawieszenie" LD_PRELOAD="$work/udzial.so" "$program" >/dev/null 2>&1 ) &
pid=$!
pids+=($pid)
for _ in $(seq 300); do
  awk '$3 == 1 { f = 1 } END { exit !f }' "$work/udp" 2>/dev/null && break
  sleep 0.1
done
awk '$3 == 1 { f = 1 } END { exit !f }' "$work/udp" || { echo "nothing went on air" >&2; exit 1; }
sleep "$na_antenie"

t_zawieszenie=$(teraz)
: >"$work/zawieszenie"
sleep "$zawieszony"
t_sygnal=$(teraz)
kill -TERM "$pid"
t_koniec= kod=
for _ in $(seq 3000); do
  kill -0 "$pid" 2>/dev/null || { t_koniec=$(teraz); wait "$pid" && kod=0 || kod=$?; break; }
  sleep 0.01
done
[ -n "$t_koniec" ] || echo "the program did not end within 30 s of SIGTERM" >&2
rm -f "$work/zawieszenie"

s() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", (b - a) / 1e9 }'; }
przerwa=$(awk -v a="$t_zawieszenie" -v b="$t_sygnal" '$2 == 1400 { if (p && $1 > a && $1 <= b && $1 - p > m) m = $1 - p; p = $1 }
  END { printf "%.3f", m / 1e9 }' "$work/udp")
starty=$(awk -v a="$t_zawieszenie" -v b="$t_sygnal" '$3 == 1 && $1 > a && $1 < b' "$work/udp" | wc -l)
log=$(find "$st" -maxdepth 1 -name '*.LOG' | head -1)
tekst() { iconv -f CP1250 -t UTF-8 "$log" | tr -d '\r'; }
hst=$(find "$st" -maxdepth 1 -name '*.HST' | head -1)

echo "share answering in $ms ms, hung after $na_antenie s on air, SIGTERM $zawieszony s into the hang"
echo "largest heartbeat gap while the share hangs: $przerwa s (goal under 0.15 s)"
echo "decks with nothing to play, logged: $(tekst | grep -c 'BRAK DANYCH Z DYSKU' || true); starts while hung: $starty; late starts logged: $(tekst | grep -c 'NAGRANIE NIEGOTOWE' || true)"
{ tekst | grep -a 'BRAK DANYCH Z DYSKU' || true; } | head -3 | sed 's/^/  /'
if [ -n "$t_koniec" ]; then
  echo "SIGTERM to the end of the process: $(s "$t_sygnal" "$t_koniec") s (goal under 5 s), exit status $kod"
fi
echo "signal logged: $(tekst | grep -c 'Sygnał SIGTERM - zamknięcie programu' || true); last log line: $(tekst | tail -1)"
echo "history lines: $( ([ -n "$hst" ] && grep -c . "$hst") || true); STOP lines in the log: $(tekst | grep -c ' STOP  ' || true)"
if [ -e "$st/tolvane.lock" ]; then echo "lock file: still there"; else echo "lock file: removed"; fi
